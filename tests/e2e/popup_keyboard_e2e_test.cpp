// The popup driven from the keyboard alone, as a user of another program would: the hot
// key, typing to search, the arrows, Enter and Escape.

#include "app/window/win32/main_window_ids.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"

namespace {

// The program with its clips and an edit control of this test focused in front.
class PopupKeyboardTest : public PasteProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartWithClips());
    ASSERT_TRUE(target.TakeFocus());
    PlaceCursorForThePopup();
  }

  // Ctrl+Alt+V, until the popup is shown with the keyboard.
  ::testing::AssertionResult OpenPopup() {
    TypeChord({VK_CONTROL, VK_MENU, 'V'});
    if (!PumpUntil([&] { return PopupShown(); })) {
      return ::testing::AssertionFailure() << "no popup";
    }
    if (!PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); })) {
      return ::testing::AssertionFailure() << "the popup did not take the keyboard";
    }
    return ::testing::AssertionSuccess();
  }

  void Type(std::u16string_view letters) {
    for (char16_t letter : letters) TypeChord({static_cast<WORD>(letter - u'a' + 'A')});
  }

  ::testing::AssertionResult Pasted(const std::u16string& text) {
    PumpUntil([&] { return !target.Text().empty(); });
    PumpFor(kAfterPaste);
    if (target.Text() != text) {
      return ::testing::AssertionFailure() << "edit: " << ::testing::PrintToString(target.Text());
    }
    return ::testing::AssertionSuccess();
  }

  CPasteTarget target;
};

TEST_F(PopupKeyboardTest, TypingAWordOnlyOneClipHoldsThenEnterPastesExactlyThatClip) {
  ASSERT_TRUE(OpenPopup());
  Type(u"second");
  HWND field = program->Control(kIdSearchField);
  EXPECT_TRUE(PumpUntil([&] { return WindowText(field) == u"second"; }))
      << ::testing::PrintToString(WindowText(field));
  // "Quick notes" and its one clip.
  EXPECT_TRUE(PumpUntil([&] { return program->TreeRowCount() == 2; })) << program->TreeRowCount();
  TypeChord({VK_RETURN});
  EXPECT_TRUE(Pasted(u"second note"));
}

TEST_F(PopupKeyboardTest, EscapeClearsTheSearchThenClosesThePopupAndTheEditKeepsItsText) {
  ASSERT_TRUE(OpenPopup());
  const int rows = program->TreeRowCount();
  Type(u"beta");
  ASSERT_TRUE(PumpUntil([&] { return program->TreeRowCount() == 2; })) << program->TreeRowCount();
  TypeChord({VK_ESCAPE});
  EXPECT_TRUE(PumpUntil([&] { return program->TreeRowCount() == rows; }));
  EXPECT_FALSE(IsWindowVisible(program->Control(kIdSearchField)));
  EXPECT_TRUE(PopupShown());
  TypeChord({VK_ESCAPE});
  EXPECT_TRUE(PumpUntil([&] { return !PopupShown(); }));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() != program->MainWindow(); }));
  PumpFor(kAfterPaste);
  EXPECT_EQ(target.Text(), u"");
}

TEST_F(PopupKeyboardTest, TheArrowKeysThenEnterPasteTheSecondHistoryClip) {
  ASSERT_TRUE(OpenPopup());
  TypeChord({VK_DOWN});
  TypeChord({VK_RETURN});
  EXPECT_TRUE(Pasted(u"beta"));
}

// The mouse never moves: each paste must leave the popup ready for the next hot key.
TEST_F(PopupKeyboardTest, FourPopupsInARowWithTheMouseStillPasteFourTimes) {
  std::u16string expected;
  for (const auto* word : {u"gamma", u"first", u"alpha", u"beta"}) {
    ASSERT_TRUE(OpenPopup()) << ::testing::PrintToString(std::u16string(word));
    Type(word);
    ASSERT_TRUE(PumpUntil([&] { return program->TreeRowCount() == 2; })) << program->TreeRowCount();
    TypeChord({VK_RETURN});
    expected += std::u16string(word) == u"first" ? u"first note" : word;
    EXPECT_TRUE(PumpUntil([&] { return target.Text() == expected; }))
        << ::testing::PrintToString(target.Text());
    EXPECT_TRUE(PumpUntil([&] { return !PopupShown(); }));
  }
  PumpFor(kAfterPaste);
  EXPECT_EQ(target.Text(), expected);
}

}  // namespace
