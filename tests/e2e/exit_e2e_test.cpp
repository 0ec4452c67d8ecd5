// The exit with a large history: the program ends without tearing its clips and rows down
// one by one, so every clip must be in the data file by then, and nothing of the program
// may be left watching the clipboard or holding its data folder's name.

#include <string>
#include <utility>
#include <vector>

#include "foundation/settings_keys.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

constexpr int kLargeHistory = 20000;

class ExitTest : public ProgramTest {
 protected:
  // A data file of `count` history clips, "stored 1" the newest, kept whole by the settings.
  void WriteHistory(int count) {
    installation.SetSetting(Settings::kClipboardCapacity, count + 12);
    std::vector<std::pair<std::u16string, int>> clips;
    for (int i = 1; i <= count; ++i) {
      const std::string text = "stored " + std::to_string(i);
      clips.emplace_back(std::u16string(text.begin(), text.end()), kHistoryCategoryId);
    }
    WriteTextClips(installation.DataFile(), clips);
  }
};

TEST_F(ExitTest, EveryClipOfALargeHistoryIsInTheFileAfterTheExit) {
  WriteHistory(kLargeHistory);
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"copied last but one"));
  ASSERT_TRUE(CopyAndWait(*program, u"copied last"));
  ASSERT_TRUE(program->Close());

  const std::unique_ptr<CDataBase> saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  const std::vector<std::u16string> texts = ClipTexts(*saved, kHistoryCategoryId);
  ASSERT_EQ(texts.size(), static_cast<std::size_t>(kLargeHistory + 2));
  EXPECT_EQ(texts[0], u"copied last");
  EXPECT_EQ(texts[1], u"copied last but one");
  EXPECT_EQ(texts[2], u"stored 1");
  EXPECT_EQ(texts.back(), u"stored 20000");
  EXPECT_FALSE(std::filesystem::exists(installation.DataFile().string() + ".journal"));
}

TEST_F(ExitTest, AfterTheExitTheClipboardIsLetGoAndTheNextStartIsTheOnlyCopy) {
  WriteHistory(kLargeHistory);
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before the exit"));
  const HWND window = program->MainWindow();
  ASSERT_TRUE(program->Close());
  EXPECT_NE(GetClipboardViewer(), window);
  ASSERT_TRUE(driver.Clear());  // the next start takes nothing from the clipboard

  // Started at once: the name of the data folder is free, so this copy runs, and it has
  // every clip of the one before.
  auto next = Start();
  ASSERT_TRUE(next);
  ASSERT_TRUE(CopyAndWait(*next, u"after the exit"));
  ASSERT_TRUE(next->Close());
  const std::unique_ptr<CDataBase> saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  const std::vector<std::u16string> texts = ClipTexts(*saved, kHistoryCategoryId);
  ASSERT_EQ(texts.size(), static_cast<std::size_t>(kLargeHistory + 2));
  EXPECT_EQ(texts[0], u"after the exit");
  EXPECT_EQ(texts[1], u"before the exit");
}

}  // namespace
