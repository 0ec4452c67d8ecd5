// What the user keeps out of the history, end to end: copies from an excluded program, and
// a clip deleted from the keyboard, which must be gone from every file of the data folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/data_folder_scan.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

std::wstring OwnExecutableName() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).filename().wstring();
}

class PrivacyE2eTest : public PasteProgramTest {};

TEST_F(PrivacyE2eTest, ACopyFromAnExcludedProgramIsNotKeptWhileOneFromX11Is) {
  // This test's own windows are the excluded program's, in another case than its name.
  std::wstring name = OwnExecutableName();
  std::transform(name.begin(), name.end(), name.begin(), ::towupper);
  const std::wstring list = L" KeePass.exe ;; " + name + L";";
  ASSERT_TRUE(WritePrivateProfileStringW(L"Privacy", L"ExcludedPrograms", list.c_str(),
                                         installation.IniFile().wstring().c_str()));
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(driver.CopyText(u"typed in an excluded program"));
  PumpFor(std::chrono::milliseconds(1500));
  EXPECT_NE(program->HeaderText(), u"typed in an excluded program");
  ASSERT_TRUE(StartUnixScript(QUILLERY_X11_COPY_TEXT_SCRIPT, "copied in X11"));
  EXPECT_TRUE(program->WaitForHeader(u"copied in X11"));
  ASSERT_TRUE(driver.Clear());  // takes the selection from xclip, which then ends
  ASSERT_TRUE(program->Close());

  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId), std::vector<std::u16string>{u"copied in X11"});
}

TEST_F(PrivacyE2eTest, AClipDeletedFromThePopupLeavesEveryFileOfTheDataFolder) {
  ASSERT_NO_FATAL_FAILURE(StartWithClips());
  const std::u16string secret = u"card 4111 1111 1111 1111";
  ASSERT_TRUE(CopyAndWait(*program, secret));
  ASSERT_TRUE(CopyAndWait(*program, u"an ordinary clip"));
  ASSERT_TRUE(driver.Clear());
  const std::filesystem::path data = installation.DataFolder();
  // On disk within a moment, in the journal.
  ASSERT_TRUE(PumpUntil([&] { return !FilesHolding(data, secret).empty(); }));

  PlaceCursorForThePopup();
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  ASSERT_TRUE(PumpUntil([&] { return PopupShown(); }));
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); }));
  TypeChord({VK_DOWN});  // the newest is selected: the secret is the one below
  const int rows = program->TreeRowCount();
  TypeChord({VK_DELETE});
  ASSERT_TRUE(PumpUntil([&] { return program->TreeRowCount() == rows - 1; }));
  // Within 2 s on a quiet machine; the bench measures it, this only waits long enough.
  EXPECT_TRUE(PumpUntil([&] { return FilesHolding(data, secret).empty(); },
                        std::chrono::milliseconds(8000)))
      << ::testing::PrintToString(FilesHolding(data, secret).front().string());
  EXPECT_FALSE(FilesHolding(data, u"an ordinary clip").empty());
  TypeChord({VK_ESCAPE});
  ASSERT_TRUE(program->Close());
  EXPECT_TRUE(FilesHolding(data, secret).empty());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  const auto texts = ClipTexts(*saved, kHistoryCategoryId);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), u"an ordinary clip"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), secret), 0);
}

}  // namespace
