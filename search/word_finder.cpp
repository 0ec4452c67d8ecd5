#include "search/word_finder.h"

#include <cstring>
#include <utility>

CWordFinder::CWordFinder(std::string word) : word_(std::move(word)), resume_(word_.size() + 1, 0) {
  std::size_t border = 0;
  for (std::size_t k = 1; k < word_.size(); ++k) {
    while (border > 0 && word_[k] != word_[border]) border = resume_[border];
    if (word_[k] == word_[border]) ++border;
    resume_[k + 1] = border;
  }
}

bool CWordFinder::FoundInAscii(std::u16string_view text) const {
  const std::size_t length = word_.size();
  if (length == 0) return true;
  std::u16string word(length, u'\0');
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(word_[i]);
    if (byte >= 0x80) return false;
    word[i] = byte;
  }
  const std::size_t end = text.size();
  std::size_t matched = 0;
  std::size_t at = 0;
  while (at < end) {
    if (text[at] == word[matched]) {
      ++at;
      ++matched;
      if (matched == length) return true;
    } else if (matched == 0) {
      ++at;
    } else {
      matched = resume_[matched];
    }
  }
  return false;
}

bool CWordFinder::FoundIn(std::string_view text) const {
  const std::size_t length = word_.size();
  if (length == 0) return true;
  const std::size_t end = text.size();
  std::size_t matched = 0;
  std::size_t at = 0;
  while (at < end) {
    if (matched == 0) {
      // Nothing matched yet: memchr skips to the next place the word may start, much faster
      // than a byte at a time through text that mostly does not begin it.
      if (end - at < length) return false;
      const void* start = std::memchr(text.data() + at, word_[0], end - at);
      if (start == nullptr) return false;
      at = static_cast<std::size_t>(static_cast<const char*>(start) - text.data()) + 1;
      matched = 1;
    } else if (text[at] == word_[matched]) {
      ++at;
      ++matched;
    } else {
      matched = resume_[matched];
      continue;
    }
    if (matched == length) return true;
  }
  return false;
}
