#include "dialogs/secret_text.h"

#include <utility>

void WipeCharacters(char16_t* data, std::size_t count) {
  // Stores through a volatile pointer are observable behaviour: they are kept even though
  // the memory is released right after.
  volatile char16_t* out = data;
  for (std::size_t i = 0; i < count; ++i) out[i] = u'\0';
}

CSecretText::CSecretText(std::size_t length) : text_(length, u'\0') {}

CSecretText::CSecretText(std::u16string_view text) : text_(text) {}

CSecretText::~CSecretText() {
  Wipe();
}

CSecretText::CSecretText(CSecretText&& other) noexcept : text_(std::move(other.text_)) {
  // A short text lives inside the string object and is copied, not taken, by the move.
  other.Wipe();
}

CSecretText& CSecretText::operator=(CSecretText&& other) noexcept {
  if (this != &other) {
    Wipe();
    text_ = std::move(other.text_);
    other.Wipe();
  }
  return *this;
}

void CSecretText::Truncate(std::size_t length) {
  if (length >= text_.size()) return;
  WipeCharacters(text_.data() + length, text_.size() - length);
  // Shrinking never reallocates.
  text_.resize(length);
}

void CSecretText::Wipe() {
  WipeCharacters(text_.data(), text_.capacity());
  text_.clear();
}
