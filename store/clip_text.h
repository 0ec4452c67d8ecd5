#pragma once
// CClipText: the text of a text clip. Most copied text is ASCII: such a text is kept a byte a
// unit, half of what its UTF-16 takes, and any other as UTF-16. The form follows from the
// text alone, so that equal texts are always kept alike and compare and hash alike.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

class CClipText {
 public:
  static constexpr std::size_t kWhole = std::u16string_view::npos;

  CClipText() = default;
  explicit CClipText(std::u16string_view text);
  // The same, keeping `text`'s own buffer for a text that is not ASCII: a load of a long
  // history then allocates once a clip. A copy of each string read, the string freed at once,
  // was seen to keep Wine's heap searching its free blocks for minutes at 100,000 clips.
  static CClipText Taking(std::u16string text);
  CClipText& operator=(std::u16string_view text) { return *this = CClipText(text); }

  std::size_t size() const;
  bool empty() const { return size() == 0; }
  // Whether every unit is below 0x80: the text is then in Ascii(), a byte a unit.
  bool IsAscii() const { return std::holds_alternative<std::string>(units_); }
  // The units of an ASCII text as bytes; empty for any other.
  std::string_view Ascii() const;
  // The units of a text that is not ASCII; empty for an ASCII one.
  std::u16string_view Wide() const;
  // The text, or its first `count` units, in UTF-16.
  std::u16string Utf16(std::size_t count = kWhole) const;
  // The text's units as bytes, as they are kept: for a hash of the text.
  std::string_view Bytes() const;

  friend bool operator==(const CClipText&, const CClipText&) = default;
  friend bool operator==(const CClipText& text, std::u16string_view units);

 private:
  std::variant<std::string, std::u16string> units_;
};
