// What each kind of clip tree row says to a screen reader.

#include "app/tree/row_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "store/base_item.h"

namespace {

constexpr int kQuickPasteOff = 0;
constexpr int kCtrlForHistory = 1;

std::unique_ptr<CItemNode> Category(std::u16string name, unsigned clips) {
  auto category = std::make_unique<CItemNode>();
  category->isCategory = true;
  category->caption = std::move(name);
  category->clipCount = clips;
  return category;
}

std::unique_ptr<CItemNode> Clip(int kind, std::u16string caption, int quickNumber = 0,
                                std::uint16_t hotKey = 0) {
  auto clip = std::make_unique<CItemNode>();
  clip->clipKind = kind;
  clip->caption = std::move(caption);
  clip->categoryId = kHistoryCategoryId;
  clip->inHistory = true;
  clip->quickNumber = quickNumber;
  clip->hotKey = hotKey;
  return clip;
}

TEST(RowTextTest, CategorySaysItsNameAndHowManyClips) {
  EXPECT_EQ(RowText(*Category(u"Clipboard history", 12), 1), u"Clipboard history, 12 clips");
  EXPECT_EQ(RowText(*Category(u"Quick notes", 1), 1), u"Quick notes, 1 clip");
  EXPECT_EQ(RowText(*Category(u"Work", 0), 1), u"Work, no clips");
}

TEST(RowTextTest, TextClipSaysItsCaptionThenItsQuickPasteKeysAndHotKey) {
  EXPECT_EQ(RowText(*Clip(kTextKind, u"hello world"), kCtrlForHistory), u"hello world");
  const auto both = Clip(kTextKind, u"hello world", 1, kKeyCtrl | kKeyAlt | 'H');
  EXPECT_EQ(RowText(*both, kCtrlForHistory),
            u"hello world, quick paste Ctrl+1, hot key Ctrl+Alt+H");
  // The tenth clip's badge digit is 0; the second mode gives the history Alt.
  EXPECT_EQ(RowText(*Clip(kTextKind, u"x", 10), 2), u"x, quick paste Alt+0");
}

TEST(RowTextTest, QuickNumberIsLeftOutWhileQuickPasteIsOffOrPastTheTenth) {
  EXPECT_EQ(RowText(*Clip(kTextKind, u"x", 3), kQuickPasteOff), u"x");
  EXPECT_EQ(RowText(*Clip(kTextKind, u"x", 11), kCtrlForHistory), u"x");
}

TEST(RowTextTest, CaptionIsReadOnOneLineAndBlankTextSaysSo) {
  EXPECT_EQ(RowText(*Clip(kTextKind, u"first\r\n\tsecond  line\n"), 0), u"first second line");
  EXPECT_EQ(RowText(*Clip(kTextKind, u""), 0), u"Empty text");
  EXPECT_EQ(RowText(*Clip(kTextKind, u" \r\n\t"), 0), u"Empty text");
}

TEST(RowTextTest, PictureSaysItsSize) {
  auto picture = Clip(kPictureKind, u"");
  picture->pictureWidth = 640;
  picture->pictureHeight = 480;
  EXPECT_EQ(RowText(*picture, 0), u"Picture 640 by 480");
  EXPECT_EQ(RowText(*Clip(kPictureKind, u"", 0, kKeyShift | 0x70), 0),
            u"Picture, hot key Shift+F1");
}

TEST(RowTextTest, FileListSaysOneFileOrTheCountAndNames) {
  EXPECT_EQ(RowText(*Clip(kFileListKind, u"a.txt"), 0), u"File a.txt");
  EXPECT_EQ(RowText(*Clip(kFileListKind, u"3 files: a.txt, b.txt, c.txt"), 0),
            u"3 files: a.txt, b.txt, c.txt");
  EXPECT_EQ(RowText(*Clip(kFileListKind, u"12 files are here.txt"), 0),
            u"File 12 files are here.txt");
}

TEST(KeyCombinationTextTest, NamesModifiersInOrderAndKeysByTheirLabel) {
  EXPECT_EQ(KeyCombinationText(0), u"");
  EXPECT_EQ(KeyCombinationText(kKeyAlt | kKeyShift | kKeyCtrl | 'V'), u"Ctrl+Shift+Alt+V");
  EXPECT_EQ(KeyCombinationText(kKeyCtrl | 0x22), u"Ctrl+Page Down");
  EXPECT_EQ(KeyCombinationText(kKeyAlt | 0x63), u"Alt+Num 3");
  EXPECT_EQ(KeyCombinationText(kKeyCtrl | 0x87), u"Ctrl+F24");
  EXPECT_EQ(KeyCombinationText(kKeyCtrl | 0x01), u"Ctrl+Left click");
  EXPECT_EQ(KeyCombinationText(kKeyCtrl), u"Ctrl");
  EXPECT_EQ(KeyCombinationText(kKeyCtrl | 0xE7), u"Ctrl+key 231");
}

}  // namespace
