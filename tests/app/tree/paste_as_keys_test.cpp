// The "Paste as" forms as the tree offers them: the keys that choose each one, keys that
// must stay the list's own, and the submenu's access keys.

#include "app/tree/paste_as_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(PasteAsKeyTest, ShiftEnterAndCtrlShiftLettersChooseTheForms) {
  EXPECT_EQ(PasteAsForKey(0x0D, false, true, false), EPasteAs::kPlainText);
  EXPECT_EQ(PasteAsForKey('U', true, true, false), EPasteAs::kUpperCase);
  EXPECT_EQ(PasteAsForKey('L', true, true, false), EPasteAs::kLowerCase);
  EXPECT_EQ(PasteAsForKey('T', true, true, false), EPasteAs::kTitleCase);
  EXPECT_EQ(PasteAsForKey('R', true, true, false), EPasteAs::kTrimmed);
  EXPECT_EQ(PasteAsForKey('J', true, true, false), EPasteAs::kOneLine);
}

TEST(PasteAsKeyTest, KeysOfTheListAndOtherModifiersChooseNothing) {
  EXPECT_EQ(PasteAsForKey(0x0D, false, false, false), std::nullopt);  // Enter: the clip itself
  EXPECT_EQ(PasteAsForKey('U', true, true, true), std::nullopt);      // AltGr+Shift+U types
  EXPECT_EQ(PasteAsForKey('U', false, true, false), std::nullopt);    // Shift+U searches
  EXPECT_EQ(PasteAsForKey('U', true, false, false), std::nullopt);
  // The list's own Ctrl keys, with Shift or without, stay theirs.
  for (unsigned int key : {'F', 'Z', 'N', 'A', 'C', 'V'}) {
    EXPECT_EQ(PasteAsForKey(key, true, true, false), std::nullopt) << key;
    EXPECT_EQ(PasteAsForKey(key, true, false, false), std::nullopt) << key;
  }
}

TEST(PasteAsKeyTest, EveryFormHasOneEntryWithAnAccessKeyOfItsOwn) {
  std::set<char16_t> accessKeys;
  std::set<EPasteAs> forms;
  for (const PasteAsChoice& choice : PasteAsChoices()) {
    const std::u16string caption = choice.caption;
    const auto amp = caption.find(u'&');
    ASSERT_NE(amp, std::u16string::npos) << std::string(caption.begin(), caption.end());
    EXPECT_EQ(caption.find(u'&', amp + 1), std::u16string::npos);
    const char16_t key = caption[amp + 1];
    EXPECT_TRUE(accessKeys.insert(key >= u'a' && key <= u'z' ? key - 32 : key).second);
    EXPECT_TRUE(forms.insert(choice.as).second);
    EXPECT_EQ(PasteAsForKey(choice.key, choice.ctrl, choice.shift, false), choice.as);
  }
  EXPECT_EQ(forms.size(), 6u);
}

}  // namespace
