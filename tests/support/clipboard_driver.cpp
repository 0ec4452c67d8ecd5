#include "tests/support/clipboard_driver.h"

#include <cstring>

#include "platform/handles.h"

namespace {

UniqueGlobal BlockOf(const void* data, std::size_t size) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return memory;
  GlobalLockGuard lock(memory.get());
  if (size > 0) std::memcpy(lock.data(), data, size);
  return memory;
}

std::vector<std::uint8_t> BytesOf(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace

CClipboardDriver::CClipboardDriver() {
  SetUpPlatform();
  Clear();
  changes_ = 0;
}

CClipboardDriver::~CClipboardDriver() {
  handler_ = nullptr;
  TearDownPlatform();
}

void CClipboardDriver::OnChange(std::function<void()> handler) {
  handler_ = std::move(handler);
}

void CClipboardDriver::NotifyChange() {
  ++changes_;
  if (handler_) {
    auto handler = handler_;  // it may replace itself
    handler();
  }
}

bool CClipboardDriver::OpenAsOtherProgram() {
  ClipboardOpen probe(other_, ClipboardPatience{500, 5});
  if (!probe.IsOpen()) return false;
  probe.Close();
  return OpenClipboard(other_) != FALSE;
}

bool CClipboardDriver::CopyFormats(const std::vector<ClipFormat>& formats) {
  // Build every block first: the clipboard is open for as short a time as possible.
  std::vector<std::pair<UINT, UniqueGlobal>> blocks;
  for (const auto& format : formats) {
    blocks.emplace_back(format.format, BlockOf(format.bytes.data(), format.bytes.size()));
    if (!blocks.back().second) return false;
  }
  if (!OpenAsOtherProgram()) return false;
  EmptyClipboard();
  bool placed = true;
  for (auto& [format, block] : blocks) {
    if (SetClipboardData(format, block.get()) != nullptr) {
      block.release();
    } else {
      placed = false;
    }
  }
  CloseClipboard();
  return placed;
}

bool CClipboardDriver::CopyText(std::u16string_view text) {
  std::u16string terminated(text);
  return CopyFormats({{CF_UNICODETEXT, BytesOf(terminated.c_str(), (text.size() + 1) * 2)}});
}

bool CClipboardDriver::CopyAnsiText(std::string_view text) {
  std::string terminated(text);
  return CopyFormats({{CF_TEXT, BytesOf(terminated.c_str(), text.size() + 1)}});
}

bool CClipboardDriver::CopyBitmap(const TBitmap& picture) {
  return CopyBitmapHandle(picture.CreateHandle());
}

bool CClipboardDriver::CopyBitmapHandle(UniqueBitmap copy) {
  if (!copy || !OpenAsOtherProgram()) return false;
  EmptyClipboard();
  bool placed = SetClipboardData(CF_BITMAP, copy.get()) != nullptr;
  if (placed) copy.release();
  CloseClipboard();
  return placed;
}

bool CClipboardDriver::Clear() {
  if (!OpenAsOtherProgram()) return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}

std::optional<std::u16string> CClipboardDriver::ReadUnicodeText() {
  if (!OpenAsOtherProgram()) return std::nullopt;
  std::optional<std::u16string> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    GlobalLockGuard lock(data);
    std::u16string_view all(static_cast<const char16_t*>(lock.data()), lock.size() / 2);
    text = std::u16string(all.substr(0, all.find(u'\0')));
  }
  CloseClipboard();
  return text;
}

std::optional<std::string> CClipboardDriver::ReadAnsiText() {
  if (!OpenAsOtherProgram()) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    GlobalLockGuard lock(data);
    std::string_view all(static_cast<const char*>(lock.data()), lock.size());
    text = std::string(all.substr(0, all.find('\0')));
  }
  CloseClipboard();
  return text;
}

std::optional<TBitmap> CClipboardDriver::ReadBitmap() {
  if (!OpenAsOtherProgram()) return std::nullopt;
  std::optional<TBitmap> picture;
  if (auto handle = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    TBitmap copy;
    if (copy.AssignFromHandle(handle)) picture = std::move(copy);
  }
  CloseClipboard();
  return picture;
}

std::optional<std::vector<std::uint8_t>> CClipboardDriver::ReadFormat(UINT format) {
  if (!OpenAsOtherProgram()) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes;
  if (HANDLE data = GetClipboardData(format)) {
    GlobalLockGuard lock(data);
    if (lock.data() != nullptr) bytes = BytesOf(lock.data(), lock.size());
  }
  CloseClipboard();
  return bytes;
}

bool CClipboardDriver::Offers(UINT format) {
  return IsClipboardFormatAvailable(format) != FALSE;
}

std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}
