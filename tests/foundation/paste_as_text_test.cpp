// "Paste as": the transforms of a text, natively through the model's case mapping and under
// Wine through the system's LCMapStringEx.

#include "foundation/paste_as_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string As(std::u16string_view text, EPasteAs as) {
  return TransformForPaste(text, as).value_or(u"<refused>");
}

TEST(PasteAsCaseTest, UpperAndLowerCaseMapEveryScriptWithoutChangingTheLength) {
  // The system's simple mapping: "ß" has no single capital, and the final sigma goes up to
  // the one capital sigma, but comes down as the medial form.
  EXPECT_EQ(As(u"Grüße, όσος déjà", EPasteAs::kUpperCase), u"GRÜßE, ΌΣΟΣ DÉJÀ");
  EXPECT_EQ(As(u"GRÜSSE, ΌΣΟΣ ДОМ", EPasteAs::kLowerCase), u"grüsse, όσοσ дом");
  EXPECT_EQ(As(u"", EPasteAs::kUpperCase), u"");
}

TEST(PasteAsCaseTest, TitleCaseStartsEachWordWithACapitalAndLowersTheRest) {
  EXPECT_EQ(As(u"hELLO wORLD", EPasteAs::kTitleCase), u"Hello World");
  EXPECT_EQ(As(u"élan\tdes ÉLÈVES", EPasteAs::kTitleCase), u"Élan\tDes Élèves");
  EXPECT_EQ(As(u"καλη μερα", EPasteAs::kTitleCase), u"Καλη Μερα");
}

TEST(PasteAsTextTest, TrimmedTakesWhiteSpaceFromBothEndsAndFromTheEndOfEachLine) {
  EXPECT_EQ(As(u" \t\r\n  one  \r\n\ttwo\t \nthree\u00A0\r\n\r\n ", EPasteAs::kTrimmed),
            u"one\r\n\ttwo\nthree");
  EXPECT_EQ(As(u"  inner  spaces  stay  ", EPasteAs::kTrimmed), u"inner  spaces  stay");
  EXPECT_EQ(As(u" \r\n\t ", EPasteAs::kTrimmed), u"");
}

TEST(PasteAsTextTest, OneLineJoinsTheLinesWithSingleSpaces) {
  EXPECT_EQ(As(u"one\r\ntwo\nthree\rfour", EPasteAs::kOneLine), u"one two three four");
  // The blanks around a break and a run of breaks make one space; breaks at the ends go.
  EXPECT_EQ(As(u"\r\nfirst  \r\n\r\n   second\u2028third\r\n", EPasteAs::kOneLine),
            u"first second third");
  EXPECT_EQ(As(u"a  b", EPasteAs::kOneLine), u"a  b");
}

TEST(PasteAsTextTest, PlainTextIsTheTextAsItIs) {
  EXPECT_EQ(As(u" Mixed\r\nCase ", EPasteAs::kPlainText), u" Mixed\r\nCase ");
}

}  // namespace
