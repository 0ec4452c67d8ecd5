#pragma once
// CSecretText: a password as the user typed it (UTF-16), in a buffer of its own that is
// overwritten with zeros before its memory is given back, whether it is destroyed, moved from
// or replaced. The buffer is sized once and never grows, so no copy is left behind by a
// reallocation; there is no copy constructor for the same reason.

#include <cstddef>
#include <string>
#include <string_view>

class CSecretText {
 public:
  CSecretText() = default;
  // Room for `length` characters, all zero, to be filled through Data().
  explicit CSecretText(std::size_t length);
  explicit CSecretText(std::u16string_view text);
  ~CSecretText();
  CSecretText(CSecretText&& other) noexcept;
  CSecretText& operator=(CSecretText&& other) noexcept;
  CSecretText(const CSecretText&) = delete;
  CSecretText& operator=(const CSecretText&) = delete;

  // The characters, with a terminating zero after them.
  char16_t* Data() { return text_.data(); }
  std::u16string_view View() const { return text_; }
  std::size_t Length() const { return text_.size(); }
  bool Empty() const { return text_.empty(); }
  // Keeps the first `length` characters (at most Length()) and zeros the rest.
  void Truncate(std::size_t length);

  bool operator==(const CSecretText& other) const { return View() == other.View(); }

 private:
  // Zeros every character the buffer holds, its unused capacity included.
  void Wipe();

  std::u16string text_;
};

// Overwrites `count` characters at `data` with zeros in a way the compiler does not drop as a
// store to memory about to be freed.
void WipeCharacters(char16_t* data, std::size_t count);
