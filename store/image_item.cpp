#include "store/image_item.h"

#include "foundation/day_count.h"
#include "platform/handles.h"
#include "store/clipboard_privacy.h"
#include "store/data_file_format.h"

bool CImageItem::ReadFromClipboard(HWND ownerWindow) {
  if (!IsClipboardFormatAvailable(CF_BITMAP)) return false;
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen() || OpenClipboardContentIsPrivate()) return false;
  clipboardSequence = GetClipboardSequenceNumber();
  auto handle = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (handle == nullptr) return false;
  auto copy = std::make_unique<TBitmap>();
  if (!copy->AssignFromHandle(handle)) return false;
  clipboard.Close();
  picture = std::move(copy);
  created = CurrentDayCount();
  textLength = 0;
  return true;
}

bool CImageItem::WriteToClipboard(HWND ownerWindow) const {
  // The copy is made before the clipboard is opened and emptied, so that a failure
  // leaves the content there intact.
  if (!picture) return false;
  UniqueBitmap copy = picture->CreateHandle();
  if (!copy) return false;
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, copy.get()) == nullptr) return false;
  copy.release();  // the clipboard owns it now
  return true;
}

bool CImageItem::Save(CByteWriter& writer) const {
  if (!picture || picture->Empty()) return false;
  writer.WriteInt32(kPictureRecord);
  writer.WriteInt32(0);  // the picture's length is in its own header
  SaveCommonFields(writer);
  picture->WriteBmp(writer);
  return true;
}

void CImageItem::Load(CByteReader& reader) {
  LoadCommonFields(reader);
  picture = std::make_unique<TBitmap>(TBitmap::ReadBmp(reader, &missingBytes_));
  textLength = 0;
}
