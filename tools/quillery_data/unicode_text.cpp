#include "tools/quillery_data/unicode_text.h"

#include <cstdint>

std::optional<std::u16string> WellFormedUtf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    std::size_t length;
    char32_t point;
    if (lead < 0x80) {
      length = 1;
      point = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      point = lead & 0x07;
    } else {
      return std::nullopt;  // a continuation byte, or a lead that only overlong forms use
    }
    if (length > text.size() - i) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      point = (point << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
    if (overlong || point > 0x10FFFF || IsHighSurrogate(point) || IsLowSurrogate(point)) {
      return std::nullopt;
    }
    if (point >= 0x10000) {
      point -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (point >> 10));
      out += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    } else {
      out += static_cast<char16_t>(point);
    }
    i += length;
  }
  return out;
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

namespace {

// Unlike path::u8string(), these cannot throw: Windows paths are UTF-16 that may hold
// unpaired surrogates, POSIX paths are bytes that may not be UTF-8 and are shown as they are.
[[maybe_unused]] std::string Utf8FromNative(const std::wstring& units) {
  return Utf8FromUtf16(std::u16string(units.begin(), units.end()));
}
[[maybe_unused]] std::string Utf8FromNative(const std::string& bytes) {
  return bytes;
}

}  // namespace

std::string Utf8FromPath(const std::filesystem::path& path) {
  return Utf8FromNative(path.native());
}
