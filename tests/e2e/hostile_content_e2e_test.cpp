// Content that another program offers cheaply and that would cost Quillery much to take: a
// picture of few bits a pixel beyond the limit at 32 bits, a drop list of more paths than a
// clip keeps. The real program refuses it at once, says so, and keeps capturing.

#include <string>

#include "bench/program/hostile_content.h"
#include "store/file_list_item.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using HostileContentTest = ProgramTest;

std::vector<std::u16string> SavedHistory(const std::filesystem::path& dataFile) {
  const auto saved = LoadDataFile(dataFile);
  if (!saved) return {};
  return ClipTexts(*saved, kHistoryCategoryId);
}

TEST_F(HostileContentTest, APictureBeyondTheLimitAt32BitsIsRefusedAndSaidSo) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before the picture"));
  // 17 MB on the clipboard at 1 bit a pixel, 537 MB at 32 bits.
  ASSERT_TRUE(driver.CopyFormats({{CF_DIB, OneBitDib(16400, 8192)}}));
  EXPECT_TRUE(program->WaitForHeader(u"Picture too large to keep (16400 x 8192 pixels)"))
      << ::testing::PrintToString(program->HeaderText());
  ASSERT_TRUE(CopyAndWait(*program, u"after the picture"));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(SavedHistory(installation.DataFile()),
            (std::vector<std::u16string>{u"after the picture", u"before the picture"}));
}

TEST_F(HostileContentTest, ADropListOfMorePathsThanAClipKeepsIsRefusedAndSaidSo) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before the files"));
  // The DROPFILES header, one letter and its NUL a path, and the NUL that ends them: one
  // path more than a clip keeps.
  std::size_t paths = 0;
  const std::size_t bytes = 20 + 2 * (kMaxDropPaths + 1) + 1;
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, OneLetterDropList(bytes, &paths)}}));
  ASSERT_EQ(paths, kMaxDropPaths + 1);
  EXPECT_TRUE(program->WaitForHeader(u"Too many files to keep (more than 1000000 in one copy)"))
      << ::testing::PrintToString(program->HeaderText());
  ASSERT_TRUE(CopyAndWait(*program, u"after the files"));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(SavedHistory(installation.DataFile()),
            (std::vector<std::u16string>{u"after the files", u"before the files"}));
}

}  // namespace
