// Content that other programs put on the clipboard and that the program must take in its
// stride: a picture far wider than high, and the clip the last run left on the clipboard.

#include <memory>

#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using UnusualContentTest = ProgramTest;

// One pixel high and as wide as a picture may be: its thumbnail in proportion would be far
// wider than any bitmap.
TBitmap Strip() {
  return TBitmap(TBitmap::kMaxSide, 1, 32);
}

TEST_F(UnusualContentTest, AStripPictureInTheDataFileLetsTheProgramStartAndCapture) {
  {
    CDataBase store;
    auto strip = std::make_unique<CImageItem>();
    strip->SetPicture(TBitmap(Strip()));
    strip->categoryId = kHistoryCategoryId;
    store.AppendClip(std::move(strip));
    auto text = std::make_unique<CTextItem>();
    text->text = u"before the strip";
    text->categoryId = kHistoryCategoryId;
    store.AppendClip(std::move(text));
    store.SaveToFile(installation.DataFile());
  }
  auto program = Start();  // in the viewer chain, its data loaded
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"after the strip"));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"after the strip", u"<picture>", u"before the strip"}));
}

TEST_F(UnusualContentTest, AStripPictureCopiedIsKeptAndPassedOnToTheNextViewer) {
  auto program = Start();
  ASSERT_TRUE(program);
  // This process's viewer joined the chain first, so the program passes changes on to it.
  const int heardBefore = driver.ChangeCount();
  ASSERT_TRUE(driver.CopyBitmap(Strip()));
  ASSERT_TRUE(program->WaitForHeader(u"Image"));
  EXPECT_TRUE(PumpUntil([&] { return driver.ChangeCount() > heardBefore; }));
  ASSERT_TRUE(CopyAndWait(*program, u"after the strip"));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"after the strip", u"<picture>"}));
}

TEST_F(UnusualContentTest, ARestartWithTheNewestClipStillOnTheClipboardAddsNothing) {
  {
    auto program = Start();
    ASSERT_TRUE(program);
    ASSERT_TRUE(CopyAndWait(*program, u"first"));
    ASSERT_TRUE(CopyAndWait(*program, u"left on the clipboard"));
    ASSERT_TRUE(program->Close());
  }
  // This process still offers the text, and the program's start reads it.
  auto program = Start();
  ASSERT_TRUE(program);
  EXPECT_TRUE(program->WaitForHeader(u"left on the clipboard"));
  // The user's own copy of it after another clip brings that clip back to the head, as a
  // copy of any older clip does.
  ASSERT_TRUE(CopyAndWait(*program, u"another"));
  ASSERT_TRUE(CopyAndWait(*program, u"left on the clipboard"));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"left on the clipboard", u"another", u"first"}));
}

}  // namespace
