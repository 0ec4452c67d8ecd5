// The program's life: one instance per data folder, the end of the session, a hard kill,
// a damaged data file or journal, saves that fail, the first run.

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using LifecycleTest = ProgramTest;

std::vector<char> FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), {});
}

TEST_F(LifecycleTest, SecondStartLeavesOneInstanceWhichShowsItsList) {
  auto first = Start();
  ASSERT_TRUE(first);
  ASSERT_FALSE(IsWindowVisible(first->Control(kIdItemsTree)));
  // Over the window, so that the list once shown is not folded away at the next tick.
  const RECT header = WindowRect(first->MainWindow());
  SetCursorPos(header.left + 10, header.top + 5);

  CRunningProgram second(installation.Program());
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit(kStartTimeout));
  EXPECT_TRUE(first->IsRunning());
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(first->Control(kIdItemsTree)) != FALSE; }));
  EXPECT_TRUE(first->Close());
}

TEST_F(LifecycleTest, EndOfTheSessionSavesTheDataFile) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before log-off 1"));
  ASSERT_TRUE(CopyAndWait(*program, u"before log-off 2"));

  DWORD_PTR answer = 0;
  SendMessageTimeoutW(program->MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &answer);
  EXPECT_NE(answer, 0u) << "the program refused to let the session end";
  SendMessageTimeoutW(program->MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000,
                      &answer);
  // Well before any save the program makes on its own after a change.
  std::unique_ptr<CDataBase> saved;
  EXPECT_TRUE(PumpUntil(
      [&] {
        saved = std::filesystem::exists(installation.DataFile())
                    ? LoadDataFile(installation.DataFile())
                    : nullptr;
        return saved && saved->Items().size() == 2;
      },
      std::chrono::milliseconds(3000)));
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"before log-off 2", u"before log-off 1"}));
}

TEST_F(LifecycleTest, AHardKillASecondAfterTwoCopiesLosesNeither) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"just before the kill 1"));
  ASSERT_TRUE(CopyAndWait(*program, u"just before the kill 2"));
  Sleep(1000);
  ASSERT_TRUE(program->Kill());
  // Long before the automatic save: the data file does not have them.
  const auto before = LoadDataFile(installation.DataFile());
  EXPECT_TRUE(!before || before->Items().empty());
  ASSERT_TRUE(driver.Clear());  // so that the next start captures nothing

  auto again = Start();
  ASSERT_TRUE(again);
  EXPECT_GE(again->TreeRowCount(), 3) << "the history with both clips";
  ASSERT_TRUE(again->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"just before the kill 2", u"just before the kill 1"}));
  EXPECT_FALSE(std::filesystem::exists(installation.DataFolder() / "data.dat.journal"));
}

TEST_F(LifecycleTest, DamagedDataFileIsKeptAndTheProgramGoesOnWithWhatItRead) {
  WriteTextClips(installation.DataFile(),
                 {{u"newest, cut short", kHistoryCategoryId}, {u"intact", kHistoryCategoryId}});
  // The newest clip is written last: cutting the file's end damages only its record.
  std::vector<char> damaged = FileBytes(installation.DataFile());
  damaged.resize(damaged.size() - 4);
  std::ofstream(installation.DataFile(), std::ios::binary | std::ios::trunc)
      .write(damaged.data(), static_cast<std::streamsize>(damaged.size()));

  auto program = Start();
  ASSERT_TRUE(program);
  HWND box = program->WaitForWindow(L"#32770", L"Quillery", kReplyTimeout);
  ASSERT_NE(box, nullptr) << "no message box about the damage";
  std::filesystem::path kept;
  for (const auto& entry : std::filesystem::directory_iterator(installation.DataFolder())) {
    if (entry.path().filename().wstring().starts_with(L"data.dat.damaged")) {
      kept = entry.path();
    }
  }
  ASSERT_FALSE(kept.empty()) << "no copy of the damaged file";
  EXPECT_EQ(FileBytes(kept), damaged);
  EXPECT_NE(ChildTexts(box).find(kept.filename().u16string()), std::u16string::npos)
      << "the message does not name the copy";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));

  ASSERT_TRUE(CopyAndWait(*program, u"after the damage"));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"after the damage", u"intact"}));
}

TEST_F(LifecycleTest, AJournalDamagedAfterAHardKillIsKeptAndTold) {
  auto program = Start();
  ASSERT_TRUE(program);
  for (const char16_t* text : {u"journaled first", u"journaled second", u"journaled third"}) {
    ASSERT_TRUE(CopyAndWait(*program, text));
    Sleep(300);  // journaled, each in a frame of its own
  }
  Sleep(700);
  ASSERT_TRUE(program->Kill());
  ASSERT_TRUE(driver.Clear());  // so that the next start captures nothing
  // A byte of the second clip's text goes bad on the disk; the third comes after it.
  const std::filesystem::path journal = installation.DataFolder() / "data.dat.journal";
  std::vector<char> bytes = FileBytes(journal);
  const std::u16string second = u"journaled second";
  const auto at =
      std::search(bytes.begin(), bytes.end(), reinterpret_cast<const char*>(second.data()),
                  reinterpret_cast<const char*>(second.data() + second.size()));
  ASSERT_NE(at, bytes.end()) << "the journal does not hold the second clip";
  *at ^= 0x01;
  std::ofstream(journal, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  auto again = Start();
  ASSERT_TRUE(again);
  HWND box = again->WaitForWindow(L"#32770", L"Quillery", kReplyTimeout);
  ASSERT_NE(box, nullptr) << "no message box about the journal";
  std::filesystem::path kept;
  for (const auto& entry : std::filesystem::directory_iterator(installation.DataFolder())) {
    if (entry.path().filename().wstring().starts_with(L"data.dat.journal.damaged")) {
      kept = entry.path();
    }
  }
  ASSERT_FALSE(kept.empty()) << "no copy of the damaged journal";
  EXPECT_EQ(FileBytes(kept), bytes);
  EXPECT_NE(ChildTexts(box).find(kept.filename().u16string()), std::u16string::npos)
      << "the message does not name the copy";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
  ASSERT_TRUE(again->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"journaled first"}));
}

TEST_F(LifecycleTest, SavesThatKeepFailingAreToldOnceAndTheClipsSurviveInTheJournal) {
  auto program = Start();
  ASSERT_TRUE(program);
  // Nothing can take the data file's place: a folder stands where it would go.
  std::filesystem::create_directory(installation.DataFile());
  ASSERT_TRUE(CopyAndWait(*program, u"kept while saves fail"));
  // The first try comes ten seconds after the copy and the next a minute after that.
  HWND box = program->WaitForWindow(L"#32770", L"Quillery", std::chrono::seconds(100));
  ASSERT_NE(box, nullptr) << "no word about the failing saves";
  const std::u16string text = ChildTexts(box);
  EXPECT_NE(text.find(u"cannot save"), std::u16string::npos);
  EXPECT_NE(text.find(installation.DataFile().filename().u16string()), std::u16string::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
  ASSERT_TRUE(program->Kill());
  ASSERT_TRUE(driver.Clear());

  std::filesystem::remove(installation.DataFile());
  auto again = Start();
  ASSERT_TRUE(again);
  EXPECT_GE(again->TreeRowCount(), 2) << "the history with the journaled clip";
  ASSERT_TRUE(again->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"kept while saves fail"}));
}

TEST_F(LifecycleTest, FirstRunOpensTheSettingsDialogOnce) {
  installation.SetSetting(Settings::kFirstLaunch, 1);
  auto program = Start();
  ASSERT_TRUE(program);
  HWND settings = program->WaitForWindow(L"#32770", L"Settings", kStartTimeout);
  ASSERT_NE(settings, nullptr);
  PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(settings); }));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(installation.Setting(Settings::kFirstLaunch, 1), 0);
}

}  // namespace
