// The word finder against the standard library's search, on the cases where a search by
// prefixes goes wrong: overlaps, repeats, the end of the text.

#include "search/word_finder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

bool StandardSearchFinds(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

TEST(WordFinderTest, EmptyWordsAndTextsAndWordsLongerThanTheText) {
  EXPECT_TRUE(CWordFinder("").FoundIn(""));
  EXPECT_TRUE(CWordFinder("").FoundIn("text"));
  EXPECT_FALSE(CWordFinder("a").FoundIn(""));
  EXPECT_FALSE(CWordFinder("texts").FoundIn("text"));
  EXPECT_TRUE(CWordFinder("text").FoundIn("text"));
}

TEST(WordFinderTest, RepeatedStartsOverlapsAndTheEnd) {
  EXPECT_TRUE(CWordFinder("aab").FoundIn("aaab"));
  EXPECT_TRUE(CWordFinder("abab").FoundIn("abaabab"));
  EXPECT_TRUE(CWordFinder("aabaab").FoundIn("aabaabaab"));
  EXPECT_TRUE(CWordFinder("abcabd").FoundIn("abcabcabd"));
  EXPECT_FALSE(CWordFinder("abcabd").FoundIn("abcabcab"));
  EXPECT_TRUE(CWordFinder("d").FoundIn("abcd"));
  EXPECT_FALSE(CWordFinder("aab").FoundIn("aaaa"));
  EXPECT_FALSE(CWordFinder("aab").FoundIn("aa"));
}

TEST(WordFinderTest, CharactersOfSeveralBytesMatchWhole) {
  EXPECT_TRUE(CWordFinder("stra\xC3\x9F").FoundIn("hauptstra\xC3\x9F 5"));
  // The last byte of "é" (C3 A9) and of "ĩ" (C4 A9) alike: no match across characters.
  EXPECT_FALSE(CWordFinder("\xC4\xA9").FoundIn("caf\xC3\xA9"));
}

// Every text of up to 10 letters of "a" and "b" against every word of up to 5: the same
// answers as the standard search.
TEST(WordFinderTest, FindsWhatTheStandardSearchFindsForEveryShortText) {
  const auto spelled = [](unsigned bits, unsigned length) {
    std::string letters;
    for (unsigned i = 0; i < length; ++i) letters.push_back((bits >> i) & 1 ? 'b' : 'a');
    return letters;
  };
  for (unsigned wordLength = 1; wordLength <= 5; ++wordLength) {
    for (unsigned wordBits = 0; wordBits < (1u << wordLength); ++wordBits) {
      const std::string word = spelled(wordBits, wordLength);
      const CWordFinder finder(word);
      for (unsigned textLength = 0; textLength <= 10; ++textLength) {
        for (unsigned textBits = 0; textBits < (1u << textLength); ++textBits) {
          const std::string text = spelled(textBits, textLength);
          ASSERT_EQ(finder.FoundIn(text), StandardSearchFinds(text, word))
              << word << " in " << text;
        }
      }
    }
  }
}

// A word of repeats against a long text of them: the look at each place of its rarest byte
// gives way to the linear search, which still answers right.
TEST(WordFinderTest, AWordOfRepeatsInALongTextOfThemIsFoundOrNot) {
  const std::string repeats(100000, 'a');
  const CWordFinder word(std::string(300, 'a') + "b" + std::string(300, 'a'));
  EXPECT_FALSE(word.FoundIn(repeats));
  EXPECT_TRUE(word.FoundIn(repeats + "b" + repeats));
  EXPECT_FALSE(word.FoundInAscii(repeats + "B" + std::string(299, 'A')));
  EXPECT_TRUE(word.FoundInAscii(repeats + "B" + std::string(300, 'A')));
  EXPECT_TRUE(CWordFinder("zq").FoundIn("qz zz qq zq"));
  EXPECT_TRUE(CWordFinder("zq").FoundInAscii("QZ ZZ QQ Zq"));
}

// An ASCII text, with capitals here and there, answers as its folded text does.
TEST(WordFinderTest, AnAsciiTextFindsWhatItsFoldedTextFindsForEveryShortText) {
  for (const std::string word : {"a", "ab", "aab", "abab", "aabaa", "b-a"}) {
    const CWordFinder finder(word);
    for (unsigned textLength = 0; textLength <= 10; ++textLength) {
      for (unsigned textBits = 0; textBits < (1u << textLength); ++textBits) {
        std::string folded;
        std::string ascii;
        for (unsigned i = 0; i < textLength; ++i) {
          const char letter = (textBits >> i) & 1 ? 'b' : 'a';
          folded.push_back(i == 4 ? '-' : letter);
          ascii.push_back(i == 4       ? '-'
                          : i % 3 == 0 ? static_cast<char>(letter - 'a' + 'A')
                                       : letter);
        }
        ASSERT_EQ(finder.FoundInAscii(ascii), finder.FoundIn(folded)) << word << " in " << ascii;
      }
    }
  }
}

TEST(WordFinderTest, AnAsciiTextTakesOnlyLettersForCapitals) {
  // A word with bytes beyond ASCII ("é" folded) is in no ASCII text.
  EXPECT_FALSE(CWordFinder("caf\xC3\xA9").FoundInAscii("CAFE caf"));
  // Only letters have capitals: "@" is not a capital "`".
  EXPECT_FALSE(CWordFinder("`").FoundInAscii("@"));
  EXPECT_TRUE(CWordFinder("x`").FoundInAscii("X`"));
  EXPECT_TRUE(CWordFinder("a1").FoundInAscii("xA1"));
  EXPECT_FALSE(CWordFinder("a1").FoundInAscii("xA2a2"));
  EXPECT_TRUE(CWordFinder(std::string("\0y", 2)).FoundInAscii(std::string_view("wx\0y", 4)));
  EXPECT_TRUE(CWordFinder("").FoundInAscii("anything"));
}

// A small letter found late or never, with its capital all through the text: each place
// that begins the word is found once, in the order of the text.
TEST(WordFinderTest, AnAsciiTextOfCapitalsIsSearchedForASmallWordItLacks) {
  const std::string capitals(100000, 'A');
  EXPECT_FALSE(CWordFinder("ab").FoundInAscii(capitals));
  EXPECT_TRUE(CWordFinder("ab").FoundInAscii(capitals + "b"));
  EXPECT_TRUE(CWordFinder("ab").FoundInAscii("a" + capitals + "B"));
  EXPECT_TRUE(CWordFinder("aab").FoundInAscii("aAxaAAab"));
  EXPECT_FALSE(CWordFinder("aab").FoundInAscii("aAxaAxab"));
}

}  // namespace
