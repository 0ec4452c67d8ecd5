#include "platform/sim/sim_profile_text.h"

namespace sim::detail {

// ^Z, the old DOS end-of-file mark, counts as white space; a no-break space does not.
bool IsProfileSpace(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == u' ' || c == 0x1A;
}

std::u16string_view TrimLeft(std::u16string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view Trim(std::u16string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Names and values are C strings to the system: whatever follows a NUL is lost.
std::u16string_view UpToNul(std::u16string_view text) {
  return text.substr(0, text.find(u'\0'));
}

char16_t FoldCase(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::u16string_view View(LPCWSTR text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text))
              : std::u16string_view();
}

std::u16string Decode(std::string_view bytes, Encoding encoding) {
  std::u16string text;
  if (encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be) {
    const bool little = encoding == Encoding::kUtf16Le;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      text += static_cast<char16_t>(little ? first | second << 8 : second | first << 8);
    }
    return text;
  }
  if (bytes.empty()) return text;
  const UINT codePage = encoding == Encoding::kUtf8 ? CP_UTF8 : CP_ACP;
  const int length = static_cast<int>(bytes.size());
  text.resize(
      static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0)));
  MultiByteToWideChar(codePage, 0, bytes.data(), length, reinterpret_cast<LPWSTR>(text.data()),
                      static_cast<int>(text.size()));
  return text;
}

std::string Encode(std::u16string_view text, Encoding encoding) {
  std::string bytes;
  if (encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be) {
    for (char16_t c : text) {
      const char low = static_cast<char>(c & 0xFF);
      const char high = static_cast<char>(c >> 8);
      bytes += encoding == Encoding::kUtf16Le ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
  }
  if (text.empty()) return bytes;
  const UINT codePage = encoding == Encoding::kUtf8 ? CP_UTF8 : CP_ACP;
  const auto* wide = reinterpret_cast<LPCWCH>(text.data());
  const int length = static_cast<int>(text.size());
  bytes.resize(static_cast<std::size_t>(
      WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr)));
  WideCharToMultiByte(codePage, 0, wide, length, bytes.data(), static_cast<int>(bytes.size()),
                      nullptr, nullptr);
  return bytes;
}

}  // namespace sim::detail
