// "Paste as" through the model's case mapping where it depends on the user's locale, and
// on text beyond the basic plane.

#include "foundation/paste_as_text.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_control.h"
#include "platform/windows_api.h"

namespace {

class PasteAsLocaleTest : public ::testing::Test {
 protected:
  PasteAsLocaleTest() { sim::Reset(); }
  ~PasteAsLocaleTest() override { sim::Reset(); }
};

TEST_F(PasteAsLocaleTest, TheUsersTurkishLocaleGivesTheDottedAndDotlessI) {
  EXPECT_EQ(TransformForPaste(u"istanbul ılık", EPasteAs::kUpperCase), u"ISTANBUL ILIK");
  sim::SetUserLocaleName(u"tr-TR");
  EXPECT_EQ(TransformForPaste(u"istanbul ılık", EPasteAs::kUpperCase), u"İSTANBUL ILIK");
  EXPECT_EQ(TransformForPaste(u"İSTANBUL ILIK", EPasteAs::kLowerCase), u"istanbul ılık");
}

TEST_F(PasteAsLocaleTest, LettersBeyondTheBasicPlaneAreMappedAsPairs) {
  // Deseret: U+10428 is the small form of U+10400.
  EXPECT_EQ(TransformForPaste(u"\U00010428x", EPasteAs::kUpperCase), u"\U00010400X");
  EXPECT_EQ(TransformForPaste(u"\U00010400 \U00010400", EPasteAs::kTitleCase),
            u"\U00010400 \U00010400");
  // A lone surrogate is kept as it is.
  const std::u16string lone{u'a', char16_t(0xD800), u'b'};
  EXPECT_EQ(TransformForPaste(lone, EPasteAs::kUpperCase),
            (std::u16string{u'A', char16_t(0xD800), u'B'}));
}

TEST_F(PasteAsLocaleTest, TheModelRefusesLinguisticCasingWithTitleCaseAsTheSystemDoes) {
  const WCHAR text[] = u"a";
  WCHAR out[2] = {};
  EXPECT_EQ(LCMapStringEx(nullptr, LCMAP_TITLECASE | LCMAP_LINGUISTIC_CASING, text, 1, out, 2,
                          nullptr, nullptr, 0),
            0);
  EXPECT_EQ(LCMapStringEx(nullptr, LCMAP_UPPERCASE, text, 1, nullptr, 0, nullptr, nullptr, 0), 1);
}

}  // namespace
