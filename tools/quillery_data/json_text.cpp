#include "tools/quillery_data/json_text.h"

#include <cstdio>
#include <utility>

#include "tools/quillery_data/unicode_text.h"

namespace {

int HexValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return -1;
}

// The unit of four hex digits at `at`, or none. Works on UTF-8 and UTF-16 strings.
template <typename Text>
std::optional<char16_t> HexUnit(const Text& text, std::size_t at) {
  if (at > text.size() || text.size() - at < 4) return std::nullopt;
  unsigned value = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const int digit = HexValue(static_cast<char32_t>(text[at + k]));
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<char16_t>(value);
}

// The two-character escape that JSON has for `unit`, or an empty string.
std::string ShortEscape(char16_t unit) {
  static constexpr std::pair<char16_t, const char*> kEscapes[] = {
      {u'"', "\\\""}, {u'\\', "\\\\"}, {u'\b', "\\b"}, {u'\f', "\\f"},
      {u'\n', "\\n"}, {u'\r', "\\r"},  {u'\t', "\\t"}};
  for (const auto& [escaped, escape] : kEscapes) {
    if (unit == escaped) return escape;
  }
  return {};
}

std::string UnitEscape(char16_t unit) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
  return escape;
}

// The \uXXXX escape at `at` (the backslash), or none.
std::optional<char16_t> EscapedUnit(std::string_view json, std::size_t at) {
  if (at > json.size() || json.size() - at < 6 || json[at] != '\\' || json[at + 1] != 'u')
    return std::nullopt;
  return HexUnit(json, at + 2);
}

}  // namespace

std::string JsonStringToken(std::u16string_view text) {
  std::string token = "\"";
  std::size_t plainStart = 0;  // units not yet written, all of them needing no escape
  const auto flushPlain = [&](std::size_t end) {
    token += Utf8FromUtf16(text.substr(plainStart, end - plainStart));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;  // a pair: plain text
      continue;
    }
    std::string escape = ShortEscape(unit);
    if (escape.empty() && (unit < 0x20 || IsSurrogate(unit))) escape = UnitEscape(unit);
    if (escape.empty()) continue;
    flushPlain(i);
    token += escape;
    plainStart = i + 1;
  }
  flushPlain(text.size());
  token += '"';
  return token;
}

std::string ShieldSurrogateEscapes(std::string_view json) {
  std::string out;
  out.reserve(json.size());
  bool inString = false;
  std::size_t i = 0;
  while (i < json.size()) {
    const char c = json[i];
    if (c == '"') inString = !inString;
    if (!inString || c != '\\') {
      out += c;
      ++i;
      continue;
    }
    const std::optional<char16_t> unit = EscapedUnit(json, i);
    if (!unit) {
      // \" \\ \n and the like, or a malformed escape: two characters as they are.
      out.append(json.substr(i, 2));
      i += 2;
      continue;
    }
    if (*unit == 0) {
      out += "\\u0000\\u0000";
    } else if (IsHighSurrogate(*unit) && IsLowSurrogate(EscapedUnit(json, i + 6).value_or(0))) {
      out.append(json.substr(i, 12));  // a pair: the parser takes it
      i += 12;
      continue;
    } else if (IsSurrogate(*unit)) {
      out += "\\u0000";
      out.append(json.substr(i + 2, 4));
    } else {
      out.append(json.substr(i, 6));
    }
    i += 6;
  }
  return out;
}

std::optional<std::u16string> TextFromParsedString(std::string_view utf8) {
  std::optional<std::u16string> units = WellFormedUtf16FromUtf8(utf8);
  if (!units) return std::nullopt;
  if (units->find(u'\0') == std::u16string::npos) return units;
  std::u16string text;
  text.reserve(units->size());
  for (std::size_t i = 0; i < units->size(); ++i) {
    if ((*units)[i] != u'\0') {
      text += (*units)[i];
    } else if (i + 1 < units->size() && (*units)[i + 1] == u'\0') {
      text += u'\0';
      i += 1;
    } else if (const auto unit = HexUnit(*units, i + 1); unit && IsSurrogate(*unit)) {
      text += *unit;
      i += 4;
    } else {
      return std::nullopt;
    }
  }
  return text;
}
