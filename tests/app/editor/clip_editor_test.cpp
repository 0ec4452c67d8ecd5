// The clip editor's rules: what saving and cancelling do, when the user is asked before
// changes are lost, and the title.

#include "app/editor/clip_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CFakeEditorPort : public CClipEditorPort {
 public:
  std::u16string EditedText() override { return text; }
  bool AskYesNo(std::u16string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  void Tell(std::u16string_view message) override { told.emplace_back(message); }
  int ReplaceClipText(int clipId, std::u16string newText) override {
    calls.push_back(u"edit " + std::u16string(1, static_cast<char16_t>(u'0' + clipId)) + u": " +
                    newText);
    return editAnswer;
  }
  int AddNote(int categoryId, std::u16string newText) override {
    calls.push_back(u"note " + std::u16string(1, static_cast<char16_t>(u'0' + categoryId % 10)) +
                    u": " + newText);
    return categoryId == refusedCategory ? 0 : 77;
  }
  void CloseEditor() override { ++closed; }

  std::u16string text;
  bool answer = false;
  int editAnswer = 55;
  int refusedCategory = -1;
  std::vector<std::u16string> questions;
  std::vector<std::u16string> told;
  std::vector<std::u16string> calls;
  int closed = 0;
};

CClipEditorTarget EditOf(std::u16string text) {
  CClipEditorTarget target;
  target.clipId = 4;
  target.categoryId = kHistoryCategoryId;
  target.categoryName = u"Clipboard history";
  target.timeText = u"10/12/2026 07:03";
  target.text = std::move(text);
  return target;
}

CClipEditorTarget NoteFor(int categoryId, std::u16string name) {
  CClipEditorTarget target;
  target.categoryId = categoryId;
  target.categoryName = std::move(name);
  return target;
}

class ClipEditorTest : public ::testing::Test {
 protected:
  CFakeEditorPort port;
};

TEST_F(ClipEditorTest, TheTitleNamesWhatIsEditedItsCategoryAndTime) {
  EXPECT_EQ(CClipEditor(port, EditOf(u"x")).Title(),
            u"Edit clip \u2013 Clipboard history \u2013 10/12/2026 07:03");
  EXPECT_EQ(CClipEditor(port, NoteFor(1003, u"Work")).Title(), u"New note \u2013 Work");
}

TEST_F(ClipEditorTest, SavingAnEditWritesTheTextAndCloses) {
  CClipEditor editor(port, EditOf(u"old"));
  port.text = u"new text";
  editor.Save();
  EXPECT_EQ(port.calls, (std::vector<std::u16string>{u"edit 4: new text"}));
  EXPECT_EQ(editor.SavedClipId(), 55);
  EXPECT_EQ(port.closed, 1);
  EXPECT_TRUE(port.told.empty());
}

TEST_F(ClipEditorTest, SavingAnUnchangedEditWritesNothing) {
  CClipEditor editor(port, EditOf(u"line one\nline two"));
  port.text = editor.InitialText();
  editor.Save();
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(editor.SavedClipId(), 0);
  EXPECT_EQ(port.closed, 1);
}

TEST_F(ClipEditorTest, AnEmptyEditIsRefusedAndTheEditorStays) {
  CClipEditor editor(port, EditOf(u"old"));
  port.text = u"  \r\n\t";
  editor.Save();
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(port.told, (std::vector<std::u16string>{kEmptyEditRefusal}));
  EXPECT_EQ(port.closed, 0);
}

TEST_F(ClipEditorTest, AnEditOfAClipThatLeftMeanwhileIsKeptAsANoteAndTold) {
  CClipEditor editor(port, EditOf(u"old"));
  port.editAnswer = 0;
  port.text = u"mine";
  editor.Save();
  EXPECT_EQ(port.calls, (std::vector<std::u16string>{u"edit 4: mine", u"note 1: mine"}));
  EXPECT_EQ(editor.SavedClipId(), 77);
  EXPECT_EQ(port.told, (std::vector<std::u16string>{kClipGoneNotice}));
  EXPECT_EQ(port.closed, 1);
}

TEST_F(ClipEditorTest, ATextTooLongIsRefusedAndTheEditorStays) {
  CClipEditorTarget target = EditOf(u"old");
  target.maxTextUnits = 4;
  CClipEditor editor(port, target);
  port.text = u"12345";
  editor.Save();
  EXPECT_TRUE(port.calls.empty());
  EXPECT_EQ(port.told, (std::vector<std::u16string>{kTooLongRefusal}));
  EXPECT_EQ(port.closed, 0);
}

TEST_F(ClipEditorTest, ANewNoteGoesToItsCategoryAndAnEmptyOneCreatesNothing) {
  CClipEditor note(port, NoteFor(1003, u"Work"));
  port.text = u"to do";
  note.Save();
  EXPECT_EQ(port.calls, (std::vector<std::u16string>{u"note 3: to do"}));
  EXPECT_EQ(note.SavedClipId(), 77);

  CClipEditor empty(port, NoteFor(kNotesCategoryId, u"Quick notes"));
  port.text = u"\r\n";
  empty.Save();
  EXPECT_EQ(port.calls.size(), 1u);
  EXPECT_EQ(empty.SavedClipId(), 0);
  EXPECT_TRUE(port.told.empty());
  EXPECT_EQ(port.closed, 2);
}

TEST_F(ClipEditorTest, ANoteForACategoryDeletedMeanwhileGoesToTheQuickNotes) {
  port.refusedCategory = 1003;
  CClipEditor note(port, NoteFor(1003, u"Work"));
  port.text = u"to do";
  note.Save();
  EXPECT_EQ(port.calls, (std::vector<std::u16string>{u"note 3: to do", u"note 1: to do"}));
  EXPECT_EQ(note.SavedClipId(), 77);
  EXPECT_EQ(port.closed, 1);
}

TEST_F(ClipEditorTest, CancellingAsksOnlyWhenTheTextChanged) {
  CClipEditor editor(port, EditOf(u"old"));
  port.text = editor.InitialText();
  editor.Cancel();
  EXPECT_TRUE(port.questions.empty());
  EXPECT_EQ(port.closed, 1);

  port.text = u"changed";
  editor.Cancel();  // answered No: the editor stays
  EXPECT_EQ(port.questions, (std::vector<std::u16string>{kDiscardQuestion}));
  EXPECT_EQ(port.closed, 1);
  port.answer = true;
  editor.Cancel();
  EXPECT_EQ(port.closed, 2);
  EXPECT_TRUE(port.calls.empty());
}

TEST_F(ClipEditorTest, TheEditShowsEveryLineBreakAsTheEditControlDoes) {
  EXPECT_EQ(WithWindowsLineBreaks(u"a\nb\r\nc\rd\n"), u"a\r\nb\r\nc\r\nd\r\n");
  CClipEditor editor(port, EditOf(u"x\ny"));
  EXPECT_EQ(editor.InitialText(), u"x\r\ny");
  port.text = u"x\r\ny";
  EXPECT_FALSE(editor.Modified());
}

}  // namespace
