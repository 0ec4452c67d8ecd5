// The clip editor from the popup, driven from the keyboard alone: F2 edits the newest clip in
// place, Ctrl+N writes a new note, and both are in the data file after exit.

#include <string>

#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"

namespace {

class ClipEditorE2eTest : public PasteProgramTest {
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

  // The editor in front: a dialog of the program whose title begins with `title`.
  ::testing::AssertionResult EditorInFront(const std::u16string& title) {
    HWND editor = nullptr;
    PumpUntil([&] {
      editor = GetForegroundWindow();
      return editor != nullptr && editor != program->MainWindow() &&
             WindowText(editor).starts_with(title);
    });
    if (editor == nullptr || !WindowText(editor).starts_with(title)) {
      return ::testing::AssertionFailure()
             << "in front: " << ::testing::PrintToString(WindowText(GetForegroundWindow()));
    }
    return ::testing::AssertionSuccess();
  }

  // Lower-case letters and spaces, as keys.
  static void Type(std::u16string_view letters) {
    for (char16_t letter : letters) {
      TypeChord({letter == u' ' ? WORD{VK_SPACE} : static_cast<WORD>(letter - u'a' + 'A')});
    }
  }

  // Ctrl+Enter, until the popup has the keyboard again; then Escape closes it.
  ::testing::AssertionResult SaveAndClosePopup() {
    TypeChord({VK_CONTROL, VK_RETURN});
    if (!PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); })) {
      return ::testing::AssertionFailure() << "the editor stayed";
    }
    TypeChord({VK_ESCAPE});
    if (!PumpUntil([&] { return !PopupShown(); })) {
      return ::testing::AssertionFailure() << "the popup stayed";
    }
    PumpUntil([&] { return GetForegroundWindow() != program->MainWindow(); });
    return ::testing::AssertionSuccess();
  }

  CPasteTarget target;
};

TEST_F(ClipEditorE2eTest, F2EditsTheNewestClipInPlaceAndQuickPastePastesTheNewText) {
  ASSERT_TRUE(OpenPopup());
  TypeChord({VK_F2});
  ASSERT_TRUE(EditorInFront(u"Edit clip"));
  TypeChord({VK_CONTROL, 'A'});
  Type(u"gamma edited");
  ASSERT_TRUE(SaveAndClosePopup());

  TypeChord({VK_CONTROL, '1'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"gamma edited"; }))
      << ::testing::PrintToString(target.Text());
  ASSERT_TRUE(program->Close());
  const auto stored = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(stored);
  EXPECT_EQ(ClipTexts(*stored, kHistoryCategoryId),
            (std::vector<std::u16string>{u"gamma edited", u"beta", u"alpha"}));
}

TEST_F(ClipEditorE2eTest, CtrlNWritesANewQuickNoteKeptAfterExit) {
  ASSERT_TRUE(OpenPopup());
  TypeChord({VK_CONTROL, 'N'});
  ASSERT_TRUE(EditorInFront(u"New note"));
  Type(u"call anna");
  ASSERT_TRUE(SaveAndClosePopup());
  ASSERT_TRUE(program->Close());
  const auto stored = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(stored);
  EXPECT_EQ(ClipTexts(*stored, kNotesCategoryId),
            (std::vector<std::u16string>{u"call anna", u"first note", u"second note"}));
}

}  // namespace
