// The matching rule: every word of the query somewhere in the clip's text.

#include "search/clip_query.h"

#include <gtest/gtest.h>

#include "search/search_fold.h"

namespace {

bool Finds(std::u16string_view query, std::u16string_view text) {
  return CClipQuery(query).MatchesFolded(FoldForSearch(text));
}

TEST(ClipQueryTest, EveryWordMustOccurAnywhereInAnyOrder) {
  EXPECT_TRUE(Finds(u"inv 44", u"Invoice 4471 for March"));
  EXPECT_TRUE(Finds(u"march invoice", u"Invoice 4471 for March"));
  EXPECT_FALSE(Finds(u"invoice april", u"Invoice 4471 for March"));
  EXPECT_TRUE(Finds(u"  spaced\u3000out\t", u"out, spaced"));
}

TEST(ClipQueryTest, CaseAndAccentsAreIgnoredInEveryScript) {
  EXPECT_TRUE(Finds(u"CAFE", u"un café crème"));
  EXPECT_TRUE(Finds(u"café", u"CAFE"));
  EXPECT_TRUE(Finds(u"ΟΔΟΣ", u"η οδός"));
  EXPECT_TRUE(Finds(u"привет", u"ПРИВЕТ, МИР"));
  EXPECT_TRUE(Finds(u"strasse", u"Hauptstraße 5"));
  EXPECT_FALSE(Finds(u"привет", u"privet"));
}

TEST(ClipQueryTest, WordsAreFoldedOnceWithoutRepeatsAndAccentsAloneAreNoWord) {
  const CClipQuery query(u"Tea TEA te\u0301a \u0301");
  EXPECT_EQ(query.Words(), (std::vector<std::string>{"tea"}));
  EXPECT_TRUE(CClipQuery(u"  \u0301 ").Empty());
  EXPECT_TRUE(CClipQuery(u"").Empty());
}

TEST(ClipQueryTest, TextBeyondTheLongestQueryIsCut) {
  const std::u16string spaces(CClipQuery::kMaxQueryLength - 1, u' ');
  EXPECT_EQ(CClipQuery(spaces + u"ab").Words(), (std::vector<std::string>{"a"}));
  // Never half a character: a pair of surrogates across the limit goes whole.
  EXPECT_TRUE(CClipQuery(spaces + u"\U0001F600").Empty());
  EXPECT_EQ(CClipQuery(spaces + u"a").Words(), (std::vector<std::string>{"a"}));
}

TEST(ClipQueryTest, TypingOnNarrowsAndBackspaceWidens) {
  const CClipQuery in(u"in");
  const CClipQuery inv(u"inv");
  const CClipQuery invAnd44(u"inv 44");
  EXPECT_TRUE(inv.Narrows(in));
  EXPECT_TRUE(invAnd44.Narrows(inv));
  EXPECT_TRUE(invAnd44.Narrows(in));
  EXPECT_FALSE(in.Narrows(inv));
  EXPECT_FALSE(CClipQuery(u"44").Narrows(inv));
}

}  // namespace
