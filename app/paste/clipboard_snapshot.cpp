#include "app/paste/clipboard_snapshot.h"

#include <algorithm>
#include <string>

#include "platform/handles.h"
#include "store/clipboard_blocks.h"

namespace {

// Formats whose data is not a memory block of bytes: CF_BITMAP, CF_METAFILEPICT,
// CF_PALETTE, CF_ENHMETAFILE, the display formats, and the private and GDI object ranges.
bool SnapshotHeldInMemoryBlock(UINT format) {
  switch (format) {
    case 2:
    case 3:
    case 9:
    case 14:
    case 0x80:
    case 0x82:
    case 0x83:
    case 0x8E:
      return false;
    default:
      return format < 0x200 || format > 0x3FF;
  }
}

bool SetSnapshotBytes(UINT format, const void* data, std::size_t size) {
  UniqueGlobal memory = NewClipboardBlock({static_cast<const std::uint8_t*>(data), size});
  if (!memory || SetClipboardData(format, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

bool SetViewerIgnoreMark() {
  const char mark = 0;
  return SetSnapshotBytes(ClipboardViewerIgnoreFormat(), &mark, sizeof mark);
}

}  // namespace

UINT ClipboardViewerIgnoreFormat() {
  static const UINT format = RegisterClipboardFormatA("Clipboard Viewer Ignore");
  return format;
}

CClipboardSnapshot::ETaken CClipboardSnapshot::Take(HWND owner) {
  formats_.clear();
  ClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return ETaken::kUnavailable;
  std::vector<Format> taken;
  std::size_t total = 0;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    if (!SnapshotHeldInMemoryBlock(format) || format == ClipboardViewerIgnoreFormat()) continue;
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) continue;  // a delayed format its owner did not render
    GlobalLockGuard lock(data);
    if (lock.data() == nullptr) continue;
    if (lock.size() > kMaxBytes - total) return ETaken::kTooLarge;
    total += lock.size();
    const auto* bytes = static_cast<const std::uint8_t*>(lock.data());
    taken.push_back({format, std::vector<std::uint8_t>(bytes, bytes + lock.size())});
  }
  formats_ = std::move(taken);
  return ETaken::kTaken;
}

bool CClipboardSnapshot::Restore(HWND owner) const {
  ClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (formats_.empty()) return true;
  bool all = SetViewerIgnoreMark();
  for (const Format& format : formats_) {
    all = SetSnapshotBytes(format.format, format.bytes.data(), format.bytes.size()) && all;
  }
  return all;
}

bool PutPasteAsText(HWND owner, std::u16string_view text) {
  const std::u16string_view kept = text.substr(0, std::min(text.size(), text.find(u'\0')));
  std::u16string terminated(kept);
  ClipboardOpen clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  // The mark first: a watcher that looks while the text is being set already sees it.
  return SetViewerIgnoreMark() && SetSnapshotBytes(CF_UNICODETEXT, terminated.c_str(),
                                                   (terminated.size() + 1) * sizeof(char16_t));
}
