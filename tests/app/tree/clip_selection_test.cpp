// Several clips selected at once: the rules of Ctrl, Shift and the plain click over the
// rows as shown, the order in which the tree lists them, what a capture or a deletion does
// to the set, and the joined text of "Paste together".

#include "app/tree/clip_selection.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tree/clip_tree_rules.h"
#include "app/tree/paste_together.h"
#include "categories/clipboard_handler.h"
#include "categories/recording_tree_view.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/clip_texts.h"
#include "tests/support/clipboard_driver.h"

namespace {

constexpr ShownRow kHistory{kHistoryCategoryId, true};
constexpr ShownRow kNotes{kNotesCategoryId, true};

// History clips 7, 6, 5 (newest first) and the notes 3, 4, as the tree shows them.
const std::vector<ShownRow> kShown{kHistory, {7}, {6}, {5}, kNotes, {3}, {4}};

std::vector<int> Selected(const CClipSelection& selection) {
  return selection.InOrder(kShown);
}

TEST(ClipSelectionTest, APlainClickSelectsOneClipAndACategoryRowNothing) {
  CClipSelection selection;
  selection.SelectOnly({6});
  selection.SelectOnly({3});
  EXPECT_EQ(Selected(selection), std::vector<int>{3});
  selection.SelectOnly(kNotes);
  EXPECT_TRUE(selection.Empty());
}

TEST(ClipSelectionTest, CtrlClickAddsAndRemovesOneClipAcrossCategories) {
  CClipSelection selection;
  selection.SelectOnly({7});
  selection.Toggle({4});
  selection.Toggle({5});
  EXPECT_EQ(Selected(selection), (std::vector<int>{7, 5, 4}));
  selection.Toggle({7});
  selection.Toggle(kHistory);  // a category row never joins
  EXPECT_EQ(Selected(selection), (std::vector<int>{5, 4}));
  selection.Toggle({5});
  selection.Toggle({4});  // the last one stays: something is always selected
  EXPECT_EQ(Selected(selection), std::vector<int>{4});
}

TEST(ClipSelectionTest, ShiftSelectsTheClipRowsBetweenTheLastClickAndTheRowEitherWay) {
  CClipSelection selection;
  selection.SelectOnly({6});
  selection.ExtendTo(kShown, {3});  // over the notes' category row
  EXPECT_EQ(Selected(selection), (std::vector<int>{6, 5, 3}));
  selection.ExtendTo(kShown, {7});  // from the same row, upwards, in place of the others
  EXPECT_EQ(Selected(selection), (std::vector<int>{7, 6}));
}

TEST(ClipSelectionTest, ShiftAfterCtrlCountsFromTheCtrlClickAndCtrlShiftKeepsTheOthers) {
  CClipSelection selection;
  selection.SelectOnly({7});
  selection.Toggle({3});
  selection.ExtendTo(kShown, {4}, true);
  EXPECT_EQ(Selected(selection), (std::vector<int>{7, 3, 4}));
  selection.ExtendTo(kShown, {4});
  EXPECT_EQ(Selected(selection), (std::vector<int>{3, 4}));
}

TEST(ClipSelectionTest, ShiftFromARowNoLongerShownSelectsTheRowAlone) {
  CClipSelection selection;
  selection.ExtendTo(kShown, {5});  // nothing clicked yet
  EXPECT_EQ(Selected(selection), std::vector<int>{5});
  selection.SelectOnly({99});  // a row folded away or gone since
  selection.ExtendTo(kShown, {4});
  EXPECT_EQ(Selected(selection), std::vector<int>{4});
}

TEST(ClipSelectionTest, TheRowAfterRemovalIsBelowTheLastSelectedElseAboveTheFirst) {
  CClipSelection selection;
  selection.SelectOnly({7});
  selection.Toggle({5});
  EXPECT_EQ(RowAfterRemoval(kShown, selection), kNotes);
  selection.SelectOnly({3});
  selection.ExtendTo(kShown, {4});
  EXPECT_EQ(RowAfterRemoval(kShown, selection), kNotes);
  selection.SelectOnly(kHistory);
  EXPECT_EQ(RowAfterRemoval(kShown, selection), std::nullopt);
}

// The handler's mirror, with the recording view, as the window's tree has it.
class ClipSelectionMirrorTest : public ::testing::Test {
 protected:
  ClipSelectionMirrorTest() {
    handler.AttachTree(&view, driver.OwnerWindow());
    driver.OnChange([this] {
      handler.CaptureClipboard();
      handler.RebuildTree();
    });
  }
  ~ClipSelectionMirrorTest() override { driver.OnChange(nullptr); }

  int Copy(const std::u16string& text) {
    EXPECT_TRUE(driver.CopyText(text));
    return handler.Items().front()->id;
  }
  int AddNote(std::unique_ptr<CBaseItem> clip) {
    clip->categoryId = kNotesCategoryId;
    handler.AppendClip(std::move(clip));
    handler.RebuildTree();
    return handler.Items().back()->id;
  }
  int AddNote(const std::u16string& text) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    return AddNote(std::move(clip));
  }
  // The id of the clip `n` places from the head of the list.
  int HeadClip(int n) const { return (*std::next(handler.Items().begin(), n))->id; }
  void Prune() {
    selection.Prune([this](int id) { return FindClipNode(handler.Root(), id) != nullptr; });
  }
  std::vector<int> InListOrder() { return selection.InOrder(RowsInListOrder(handler.Root())); }
  // What "Paste together" pastes for the selection.
  std::optional<std::u16string> Joined() {
    std::vector<const CBaseItem*> clips;
    for (int id : InListOrder()) clips.push_back(handler.FindItem(id));
    return JoinedClipTexts(clips);
  }
  // The captions of the clip rows, top to bottom.
  std::vector<std::u16string> ClipCaptions() {
    std::vector<std::u16string> captions;
    for (const ShownRow& row : RowsInListOrder(handler.Root())) {
      if (!row.isCategory) captions.push_back(FindClipNode(handler.Root(), row.id)->caption);
    }
    return captions;
  }

  CClipboardDriver driver;
  CRecordingTreeView view;
  CClipboardHandler handler;
  CClipSelection selection;
};

TEST_F(ClipSelectionMirrorTest, PasteTogetherJoinsTheTextsTopToBottomAsShownWithLineBreaks) {
  const int note = AddNote(u"a note");
  const int alpha = Copy(u"alpha");
  const int beta = Copy(u"beta");
  // Picked bottom up: the order is the list's, not the clicks'.
  selection.SelectOnly({note});
  selection.Toggle({alpha});
  selection.Toggle({beta});
  EXPECT_EQ(Joined(), u"beta\r\nalpha\r\na note");
}

TEST_F(ClipSelectionMirrorTest, PasteTogetherLeavesPicturesAndFileListsOutAndSaysWhenNoTextIsLeft) {
  auto picture = std::make_unique<CImageItem>();
  picture->SetPicture(TBitmap(4, 4, 24));
  const int pictureId = AddNote(std::move(picture));
  auto files = std::make_unique<CFileListItem>();
  files->paths = {u"C:\\a.txt"};
  const int filesId = AddNote(std::move(files));
  selection.SelectOnly({pictureId});
  selection.Toggle({filesId});
  EXPECT_EQ(Joined(), std::nullopt);
  selection.Toggle({Copy(u"words")});
  EXPECT_EQ(Joined(), u"words");
}

TEST_F(ClipSelectionMirrorTest, AClipTrimmedByACaptureLeavesTheSelectionAndTheOthersStay) {
  CStoreLimits limits = handler.Limits();
  limits.capacity = 2;
  handler.SetLimits(limits);
  const int oldest = Copy(u"one");
  const int newer = Copy(u"two");
  selection.SelectOnly({oldest});
  selection.Toggle({newer});
  Copy(u"three");
  Prune();
  EXPECT_EQ(InListOrder(), std::vector<int>{newer});
}

TEST_F(ClipSelectionMirrorTest, UndoOfDeletingASelectionRestoresEveryClipAtItsPlace) {
  AddNote(u"note 1");
  const int note2 = AddNote(u"note 2");
  AddNote(u"note 3");
  for (const char16_t* text : {u"h1", u"h2", u"h3", u"h4"}) Copy(text);
  const std::vector<std::u16string> history = ClipTexts(handler, kHistoryCategoryId);
  const std::vector<std::u16string> notes = ClipTexts(handler, kNotesCategoryId);
  selection.SelectOnly({HeadClip(1)});                                 // "h3"
  selection.ExtendTo(RowsInListOrder(handler.Root()), {HeadClip(3)});  // to "h1"
  selection.Toggle({note2});
  ASSERT_EQ(selection.Count(), 4U);
  EXPECT_EQ(handler.DeleteItems(InListOrder()), 4);
  handler.RebuildTree();
  Prune();
  EXPECT_TRUE(selection.Empty());
  EXPECT_EQ(ClipCaptions(), (std::vector<std::u16string>{u"h4", u"note 1", u"note 3"}));
  EXPECT_EQ(handler.UndoDeletion().size(), 4U);  // one step brings all of them back
  EXPECT_EQ(ClipTexts(handler, kHistoryCategoryId), history);
  EXPECT_EQ(ClipTexts(handler, kNotesCategoryId), notes);
}

}  // namespace
