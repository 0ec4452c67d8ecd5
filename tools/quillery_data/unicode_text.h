#pragma once
// UTF-8 and UTF-16 conversions for the text that crosses the tool's edges: command-line
// arguments, paths and JSON documents. The data file itself holds UTF-16.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/utf8_text.h"

// UTF-16 to UTF-8 is the program's own Utf8FromUtf16 (an unpaired surrogate, which UTF-8
// cannot carry, becomes U+FFFD); the way back is strict here.

inline bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline bool IsSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}

// `text` as UTF-16; none when it is not well-formed UTF-8 (cut short, overlong, an encoded
// surrogate or a value beyond U+10FFFF).
std::optional<std::u16string> WellFormedUtf16FromUtf8(std::string_view text);

// A path from UTF-8 text (an argument, a JSON string) and back, on every platform.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);
