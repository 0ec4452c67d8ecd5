// Capturing what other programs copy, keeping it in the data file, and showing it again.

#include <cstring>

#include "foundation/settings_keys.h"
#include "store/image_item.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using CaptureTest = ProgramTest;

TBitmap Gradient(int width, int height) {
  TBitmap picture(width, height, 32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t colour = static_cast<std::uint32_t>(x * 6) << 16 |
                                   static_cast<std::uint32_t>(y * 8) << 8 |
                                   static_cast<std::uint32_t>((x + y) & 0xFF);
      std::memcpy(picture.Row(y) + x * 4, &colour, 4);
    }
  }
  return picture;
}

TEST_F(CaptureTest, TextsAndAPictureAreCapturedInOrderAndAllSavedAtClose) {
  auto program = Start();
  ASSERT_TRUE(program);
  const TBitmap picture = Gradient(40, 30);
  ASSERT_TRUE(CopyAndWait(*program, u"first text"));
  ASSERT_TRUE(driver.CopyBitmap(picture));
  ASSERT_TRUE(program->WaitForHeader(u"Image"));
  ASSERT_TRUE(CopyAndWait(*program, u"third text"));
  ASSERT_TRUE(program->Close());

  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"third text", u"<picture>", u"first text"}));
  const auto* image = dynamic_cast<const CImageItem*>(std::next(saved->Items().begin())->get());
  ASSERT_TRUE(image != nullptr && image->Picture() != nullptr);
  EXPECT_EQ(image->Picture()->ToRgb32(), picture.ToRgb32());
}

TEST_F(CaptureTest, HistoryKeepsTheConfiguredCapacity) {
  installation.SetSetting(Settings::kClipboardCapacity, 3);
  auto program = Start();
  ASSERT_TRUE(program);
  for (const auto* text : {u"one", u"two", u"three", u"four", u"five"}) {
    ASSERT_TRUE(CopyAndWait(*program, text));
  }
  ASSERT_TRUE(program->Close());

  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"five", u"four", u"three"}));
}

TEST_F(CaptureTest, NextStartShowsTheSavedClipsAgain) {
  int rowsWithClips = 0;
  {
    auto program = Start();
    ASSERT_TRUE(program);
    const int emptyRows = program->TreeRowCount();
    for (const auto* text : {u"kept 1", u"kept 2", u"kept 3"}) {
      ASSERT_TRUE(CopyAndWait(*program, text));
    }
    rowsWithClips = program->TreeRowCount();
    EXPECT_EQ(rowsWithClips, emptyRows + 3);
    ASSERT_TRUE(program->Close());
  }
  // What is on the clipboard at start-up would be captured as a fourth clip.
  ASSERT_TRUE(driver.Clear());

  auto program = Start();
  ASSERT_TRUE(program);
  EXPECT_TRUE(PumpUntil([&] { return program->TreeRowCount() == rowsWithClips; }))
      << program->TreeRowCount() << " rows";
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"kept 3", u"kept 2", u"kept 1"}));
}

}  // namespace
