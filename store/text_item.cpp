#include "store/text_item.h"

#include <algorithm>
#include <cstring>

#include "foundation/day_count.h"
#include "platform/handles.h"
#include "store/clipboard_privacy.h"
#include "store/data_file_format.h"
#include "store/record_error.h"

bool CTextItem::ReadFromClipboard(HWND ownerWindow) {
  // Tested as CF_TEXT: the system offers every text it holds in that form.
  if (!IsClipboardFormatAvailable(CF_TEXT)) return false;
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen() || OpenClipboardContentIsPrivate()) return false;
  clipboardSequence = GetClipboardSequenceNumber();

  // Text announced but never delivered is no clip: its program went before it gave the
  // text (X11 programs copying in a quick burst do), and an empty clip in its place would
  // only push a real one out of the history.
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return false;
  {
    GlobalLockGuard lock(data);
    if (lock.data() == nullptr) return false;
    // Never read past the block, whether or not its text ends in a NUL.
    const auto* units = static_cast<const char16_t*>(lock.data());
    std::u16string_view all(units, lock.size() / sizeof(char16_t));
    text = std::u16string(all.substr(0, all.find(u'\0')));
  }
  clipboard.Close();
  created = CurrentDayCount();
  textLength = static_cast<int>(text.size());
  return true;
}

bool CTextItem::WriteToClipboard(HWND ownerWindow) const {
  // The block is made before the clipboard is opened and emptied, so that a failure
  // leaves the content there intact.
  const std::u16string_view kept(text.data(), std::min(text.size(), text.find(u'\0')));
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (kept.size() + 1) * sizeof(char16_t)));
  if (!memory) return false;
  {
    GlobalLockGuard lock(memory.get());
    if (lock.data() == nullptr) return false;
    auto* units = static_cast<char16_t*>(lock.data());
    std::memcpy(units, kept.data(), kept.size() * sizeof(char16_t));
    units[kept.size()] = u'\0';
  }
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

namespace {
// The text after its length field, which must be possible before anything is allocated.
std::u16string ReadText(CByteReader& reader) {
  std::int32_t length;
  if (!reader.ReadInt32(&length)) throw CRecordError("text record cut short");
  if (length < 0) throw CRecordError("negative text length " + std::to_string(length));
  std::u16string text;
  if (!reader.ReadUtf16(static_cast<std::size_t>(length), &text)) {
    throw CRecordError("text of " + std::to_string(length) + " units runs past the end");
  }
  return text;
}
}  // namespace

bool CTextItem::Save(CByteWriter& writer) const {
  writer.WriteInt32(kTextRecord);
  writer.WriteInt32(static_cast<std::int32_t>(2 * text.size() + 16));
  SaveCommonFields(writer);
  writer.WriteInt32(static_cast<std::int32_t>(text.size()));
  writer.WriteUtf16(text);
  return true;
}

void CTextItem::Load(CByteReader& reader) {
  LoadCommonFields(reader);
  text = ReadText(reader);
  textLength = static_cast<int>(text.size());
}

void CTextItem::LoadLegacy(CByteReader& reader) {
  if (!reader.ReadInt32(&categoryId) || !reader.ReadDouble(&created)) {
    throw CRecordError("legacy record cut short");
  }
  text = ReadText(reader);
  textLength = static_cast<int>(text.size());
}
