// The search's folding of text: case for every script, accents, widths, and what it keeps.

#include "search/search_fold.h"

#include <gtest/gtest.h>

namespace {

std::string Utf8(std::u16string_view text) {
  return FoldForSearch(text);
}

TEST(SearchFoldTest, CaseIsFoldedInEveryScript) {
  EXPECT_EQ(Utf8(u"Invoice QX"), "invoice qx");
  EXPECT_EQ(Utf8(u"ΣΊΣΥΦΟΣ"), Utf8(u"σίσυφος"));  // final sigma too
  EXPECT_EQ(Utf8(u"МОСКВА"), Utf8(u"москва"));
  EXPECT_EQ(Utf8(u"ԱՐԱՐԱՏ"), Utf8(u"արարատ"));
  EXPECT_EQ(Utf8(u"Straße"), "strasse");
  EXPECT_EQ(Utf8(u"\U00010400"), Utf8(u"\U00010428"));  // Deseret, beyond the 16-bit range
}

// The search looks at ASCII texts without folding them, taking their capitals as small.
TEST(SearchFoldTest, AsciiFoldsOnlyItsCapitals) {
  for (char16_t unit = 0; unit < 0x80; ++unit) {
    const bool capital = unit >= u'A' && unit <= u'Z';
    const char folded = static_cast<char>(capital ? unit - u'A' + u'a' : unit);
    EXPECT_EQ(Utf8(std::u16string_view(&unit, 1)), std::string(1, folded))
        << static_cast<int>(unit);
  }
}

TEST(SearchFoldTest, AccentsAreDroppedPrecomposedOrNot) {
  EXPECT_EQ(Utf8(u"Café CRÈME"), "cafe creme");
  EXPECT_EQ(Utf8(u"Cafe\u0301"), "cafe");
  EXPECT_EQ(Utf8(u"Ångström"), "angstrom");
  EXPECT_EQ(Utf8(u"İstanbul"), "istanbul");
  EXPECT_EQ(Utf8(u"Ёлка"), Utf8(u"елка"));
}

TEST(SearchFoldTest, WidthsArePlainAndScriptMarksStay) {
  EXPECT_EQ(Utf8(u"ＡＢＣ１２"), "abc12");
  EXPECT_EQ(Utf8(u"ｶﾀｶﾅ"), Utf8(u"カタカナ"));
  // Kana voicing and Indic vowel signs change the word: they are kept.
  EXPECT_NE(Utf8(u"が"), Utf8(u"か"));
  EXPECT_EQ(Utf8(u"が"), Utf8(u"か\u3099"));
  EXPECT_NE(Utf8(u"कुल"), Utf8(u"कल"));
  EXPECT_EQ(Utf8(u"한국어"), "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4");  // Hangul whole
}

TEST(SearchFoldTest, UnpairedSurrogatesBecomeTheReplacementCharacter) {
  EXPECT_EQ(Utf8(std::u16string(1, u'\xD800') + u"a"),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(Utf8(u"a" + std::u16string(1, u'\xDC00')), "a\xEF\xBF\xBD");
}

TEST(SearchFoldTest, SpacesOfEveryWidthSeparateWords) {
  for (char16_t space : {u' ', u'\t', u'\n', u'\u00A0', u'\u2003', u'\u3000'}) {
    EXPECT_TRUE(IsSearchSpace(space)) << static_cast<int>(space);
  }
  EXPECT_FALSE(IsSearchSpace(u'a'));
  EXPECT_FALSE(IsSearchSpace(u'-'));
}

}  // namespace
