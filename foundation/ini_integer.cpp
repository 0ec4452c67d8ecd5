#include "foundation/ini_integer.h"

#include <cstdint>

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int> ParseHex(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);  // the 32 bits as a signed int
}

std::optional<int> ParseDecimal(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;  // the magnitude of INT_MIN
  std::int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLimit) return std::nullopt;
  }
  if (negative) return static_cast<int>(-value);
  if (value == kLimit) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.starts_with('$')) return ParseHex(text.substr(1), negative);
  if (text.starts_with("0x") || text.starts_with("0X")) return ParseHex(text.substr(2), negative);
  return ParseDecimal(text, negative);
}
