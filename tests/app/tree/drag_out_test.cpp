// A clip dragged out of the window: when the drag leaves the window, and the formats the
// program it is dropped on receives.

#include "app/tree/drag_out.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr DragPoint kStart{100, 100};
constexpr DragRect kWindow{50, 40, 250, 300};

EClipDragStage StageAt(int x, int y, bool started = false) {
  return ClipDragStageAt(kStart, DragPoint{x, y}, started, kWindow);
}

std::vector<UINT> FormatsOf(const std::vector<CClipBlock>& blocks) {
  std::vector<UINT> formats;
  for (const CClipBlock& block : blocks) formats.push_back(block.format);
  return formats;
}

TEST(ClipDragStageTest, APressBecomesADragOnlyPastTheThresholdOnEitherAxis) {
  EXPECT_EQ(StageAt(109, 91), EClipDragStage::kPressed);
  EXPECT_EQ(StageAt(110, 100), EClipDragStage::kInWindow);
  EXPECT_EQ(StageAt(100, 90), EClipDragStage::kInWindow);
  // Back near its start, a drag stays one.
  EXPECT_EQ(StageAt(101, 100, true), EClipDragStage::kInWindow);
}

TEST(ClipDragStageTest, TheDragLeavesAtEveryEdgeOfTheWindowAndNotBefore) {
  EXPECT_EQ(StageAt(50, 40, true), EClipDragStage::kInWindow);
  EXPECT_EQ(StageAt(249, 299, true), EClipDragStage::kInWindow);
  EXPECT_EQ(StageAt(49, 100, true), EClipDragStage::kOutside);
  EXPECT_EQ(StageAt(100, 39, true), EClipDragStage::kOutside);
  EXPECT_EQ(StageAt(250, 100, true), EClipDragStage::kOutside);
  EXPECT_EQ(StageAt(100, 300, true), EClipDragStage::kOutside);
}

TEST(ClipDragStageTest, APressNearTheEdgeIsNoDragUntilPastTheThreshold) {
  const DragPoint nearEdge{52, 100};
  EXPECT_EQ(ClipDragStageAt(nearEdge, DragPoint{45, 100}, false, kWindow),
            EClipDragStage::kPressed);
  EXPECT_EQ(ClipDragStageAt(nearEdge, DragPoint{42, 100}, false, kWindow),
            EClipDragStage::kOutside);
}

TEST(DragOutStepTest, EscapeOrTheRightButtonCancelsAndReleasingTheLeftDrops) {
  EXPECT_EQ(DragOutStepFor(false, true, false), EDragOutStep::kGoOn);
  EXPECT_EQ(DragOutStepFor(false, false, false), EDragOutStep::kDrop);
  EXPECT_EQ(DragOutStepFor(true, true, false), EDragOutStep::kCancel);
  EXPECT_EQ(DragOutStepFor(true, false, false), EDragOutStep::kCancel);  // not dropped
  EXPECT_EQ(DragOutStepFor(false, true, true), EDragOutStep::kCancel);
}

TEST(DragOutBlocksTest, TextGivesAnsiTextBesideUnicodeAndKeepsItsFormats) {
  CTextItem clip;
  clip.text = u"Gr\u00FC\u00DFe \u20AC5";
  clip.formats = {{u"HTML Format", {'<', 'p', '>'}}};
  const std::vector<CClipBlock> blocks = DragOutBlocks(clip);
  ASSERT_EQ(FormatsOf(blocks),
            (std::vector<UINT>{CF_UNICODETEXT, CF_TEXT,
                               RegisterClipboardFormatW(AsWide(u"HTML Format"))}));
  EXPECT_EQ(blocks[0], clip.TransferBlocks()[0]);
  EXPECT_EQ(blocks[1].bytes, (Bytes{'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x80, '5', 0}));
  EXPECT_EQ(blocks[2].bytes, (Bytes{'<', 'p', '>'}));
}

TEST(DragOutBlocksTest, AnEmptyTextGivesEmptyTexts) {
  CTextItem clip;
  EXPECT_EQ(DragOutBlocks(clip),
            (std::vector<CClipBlock>{{CF_UNICODETEXT, Bytes{0, 0}}, {CF_TEXT, Bytes{0}}}));
}

TEST(DragOutBlocksTest, CutFilesAreOfferedAsACopy) {
  CFileListItem clip;
  clip.paths = {u"C:\\report.pdf"};
  clip.dropEffect = 2;  // cut
  const std::vector<CClipBlock> blocks = DragOutBlocks(clip);
  ASSERT_EQ(FormatsOf(blocks), (std::vector<UINT>{CF_HDROP, DropEffectFormat()}));
  EXPECT_EQ(PathsOfDropList(blocks[0].bytes), clip.paths);
  EXPECT_EQ(blocks[1].bytes, (Bytes{1, 0, 0, 0}));
}

TEST(DragOutBlocksTest, PictureGivesWhatItsClipTransfers) {
  CImageItem clip;
  clip.SetPicture(TBitmap(4, 2, 24));
  EXPECT_EQ(DragOutBlocks(clip), clip.TransferBlocks());
  EXPECT_TRUE(DragOutBlocks(CImageItem()).empty());
}

}  // namespace
