// "quillery.exe /close", the installer's way to close the copy that runs on a data folder
// before it replaces the program: the copy saves and ends, and the exit code says what was
// found.

#include "app/window/win32/single_instance.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using CloseRequestTest = ProgramTest;

DWORD Code(ECloseResult result) {
  return static_cast<DWORD>(result);
}

TEST_F(CloseRequestTest, ClosesTheRunningCopyWhichSavesItsClips) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"kept through the update"));

  EXPECT_EQ(RunToEnd(installation.Program(), L"/close"), Code(ECloseResult::kClosed));
  EXPECT_FALSE(program->IsRunning());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"kept through the update"}));
}

TEST_F(CloseRequestTest, WithNoCopyRunningItEndsAtOnceAndStartsNone) {
  EXPECT_EQ(RunToEnd(installation.Program(), L"  /close "), Code(ECloseResult::kNoneRunning));
  EXPECT_FALSE(std::filesystem::exists(installation.DataFile()));
}

TEST_F(CloseRequestTest, LeavesTheCopyOfAnotherDataFolderRunning) {
  auto program = Start();
  ASSERT_TRUE(program);
  CProgramInstallation other;
  EXPECT_EQ(RunToEnd(other.Program(), L"/close"), Code(ECloseResult::kNoneRunning));
  EXPECT_TRUE(program->IsRunning());
  EXPECT_TRUE(program->Close());
}

}  // namespace
