#pragma once

// The history both search benchmarks look through: texts of words in several languages and
// numbers, the same for a given seed, of which one in a hundred names the invoice that
// kSearchQuery finds.

#include <cstddef>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

inline constexpr int kSearchCorpusClips = 10000;
inline constexpr std::size_t kSearchCorpusClipLength = 1024;
inline constexpr std::u16string_view kSearchQuery = u"invoice 4471";

// The text of clip `number`, about 1 KB long.
inline std::u16string SearchCorpusText(std::mt19937& random, int number) {
  static const char16_t* const kWords[] = {
      u"the",    u"report", u"Meeting",  u"invite",  u"quarter", u"budget", u"Straße",
      u"café",   u"review", u"draft",    u"project", u"number",  u"total",  u"März",
      u"client", u"order",  u"shipping", u"date",    u"account", u"summary"};
  std::u16string text;
  if (number % 100 == 0) text = u"Invoice 4471 ";
  std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> digits(0, 99999);
  while (text.size() < kSearchCorpusClipLength) {
    text += kWords[word(random)];
    text += u' ';
    if (text.size() % 7 == 0) {
      for (char c : std::to_string(digits(random))) text.push_back(static_cast<char16_t>(c));
      text += u' ';
    }
  }
  text.resize(kSearchCorpusClipLength);
  return text;
}
