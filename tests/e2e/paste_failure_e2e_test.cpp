// A paste that cannot arrive: the program that was in front when the popup opened has
// closed by the time a clip is chosen. The user is told in the caption line, the popup's
// list folds as after any paste, and no modifier is left held.

#include <optional>

#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"

namespace {

class PasteFailureTest : public PasteProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartWithClips());
    target.emplace();
    ASSERT_TRUE(target->TakeFocus());
    PlaceCursorForThePopup();
  }

  static bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

  std::optional<CPasteTarget> target;
};

TEST_F(PasteFailureTest, ATargetClosedBeforeThePasteIsToldAndTheListFolds) {
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  ASSERT_TRUE(PumpUntil([&] { return PopupShown(); }));
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); }));
  target.reset();  // its window is destroyed

  TypeChord({VK_RETURN});
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(program->Control(kIdItemsTree)); }));
  EXPECT_TRUE(PumpUntil([&] {
    return program->HeaderText().find(u"Not pasted") != std::u16string::npos;
  })) << ::testing::PrintToString(program->HeaderText());
  EXPECT_NE(program->HeaderText().find(u"on the clipboard"), std::u16string::npos);
  PumpFor(kAfterPaste);
  for (const int modifier : {VK_CONTROL, VK_SHIFT, VK_MENU})
    EXPECT_FALSE(Held(modifier)) << modifier;
  EXPECT_EQ(driver.ReadUnicodeText(), u"gamma");
}

}  // namespace
