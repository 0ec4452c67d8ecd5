// The setting "PasteMethod" and the way each paste goes: the message where the focused
// control takes it, the keystroke everywhere else.

#include "app/paste/paste_method.h"

#include <gtest/gtest.h>

#include "foundation/settings_keys.h"
#include "tests/support/temp_settings.h"

namespace {

TEST(PasteMethodTest, TheStoredValueIsClampedToItsFourMethods) {
  CTempSettings settings;
  EXPECT_EQ(ReadPasteMethod(settings.store), EPasteMethod::kAutomatic);  // none stored
  auto stored = [&](int value) {
    settings.store.SetInt(Settings::kPasteMethod, value);
    return ReadPasteMethod(settings.store);
  };
  EXPECT_EQ(stored(0), EPasteMethod::kAutomatic);
  EXPECT_EQ(stored(1), EPasteMethod::kCtrlV);
  EXPECT_EQ(stored(2), EPasteMethod::kShiftInsert);
  EXPECT_EQ(stored(3), EPasteMethod::kMessage);
  EXPECT_EQ(stored(-1), EPasteMethod::kAutomatic);
  EXPECT_EQ(stored(4), EPasteMethod::kMessage);
  EXPECT_EQ(stored(0x7FFFFFFF), EPasteMethod::kMessage);
}

TEST(PasteMethodTest, AutomaticPostsTheMessageOnlyToEditsAndRichEdits) {
  for (const char16_t* edit : {u"Edit", u"EDIT", u"edit", u"RichEdit", u"RichEdit20W",
                               u"RichEdit20A", u"RICHEDIT50W", u"RichEdit60W"}) {
    EXPECT_EQ(ChoosePasteWay(EPasteMethod::kAutomatic, edit), EPasteWay::kMessage)
        << ::testing::PrintToString(std::u16string(edit));
  }
  // A browser's page, a terminal, a Qt or WinUI window, no known focus, and names that only
  // resemble an edit's.
  for (const char16_t* other :
       {u"Chrome_RenderWidgetHostHWND", u"ConsoleWindowClass", u"Qt5152QWindowIcon",
        u"Windows.UI.Core.CoreWindow", u"", u"Editor", u"TEdit", u"Rich"}) {
    EXPECT_EQ(ChoosePasteWay(EPasteMethod::kAutomatic, other), EPasteWay::kCtrlV)
        << ::testing::PrintToString(std::u16string(other));
  }
}

TEST(PasteMethodTest, AFixedMethodIgnoresTheFocusedControl) {
  for (const char16_t* focus : {u"Edit", u"Chrome_RenderWidgetHostHWND", u""}) {
    EXPECT_EQ(ChoosePasteWay(EPasteMethod::kCtrlV, focus), EPasteWay::kCtrlV);
    EXPECT_EQ(ChoosePasteWay(EPasteMethod::kShiftInsert, focus), EPasteWay::kShiftInsert);
    EXPECT_EQ(ChoosePasteWay(EPasteMethod::kMessage, focus), EPasteWay::kMessage);
  }
}

}  // namespace
