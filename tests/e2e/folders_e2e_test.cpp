// Where the program keeps its files, on a real user's machine: folders whose names the ANSI
// code page cannot hold, and a settings file that cannot be written. Each case runs the
// program twice, so that what the first run saved must be found by the second.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"
#include "tests/support/environment_guard.h"

namespace {

namespace fs = std::filesystem;

// Polish, Japanese and Russian: none of it is in code page 1252.
const fs::path kForeignName(u"\u0141ukasz \u65e5\u672c \u041f\u0440\u0438\u0432\u0435\u0442");

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class FoldersTest : public ProgramTest {
 protected:
  std::unique_ptr<CRunningProgram> StartIn(const CProgramInstallation& place) {
    auto program = std::make_unique<CRunningProgram>(place.Program());
    if (!program->Started() || program->WaitForMainWindow() == nullptr) return nullptr;
    return program;
  }

  // No message box: the program found and wrote its files without a complaint.
  static bool Silent(CRunningProgram& program) {
    return program.WaitForWindow(L"#32770", nullptr, std::chrono::milliseconds(1500)) == nullptr;
  }

  // Two runs of the program: each copies a text and closes. The data file the second run
  // leaves must hold both, so the second run found what the first saved.
  void ExpectClipsSurviveARestart(const CProgramInstallation& place, const fs::path& dataFile) {
    for (const char16_t* text : {u"saved in the first run", u"added in the second run"}) {
      // Nothing for the start to capture: the second run must find the first copy in the
      // data file, not on the clipboard.
      ASSERT_TRUE(driver.Clear());
      auto program = StartIn(place);
      ASSERT_TRUE(program);
      EXPECT_TRUE(Silent(*program));
      ASSERT_TRUE(CopyAndWait(*program, text));
      ASSERT_TRUE(program->Close());
      ASSERT_TRUE(fs::exists(dataFile)) << "no data file in " << Utf8(dataFile.parent_path());
    }
    const auto saved = LoadDataFile(dataFile);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
              (std::vector<std::u16string>{u"added in the second run", u"saved in the first run"}));
  }
};

TEST_F(FoldersTest, APortableInstallationInAForeignFolderKeepsItsClips) {
  CEnvironmentGuard u3("U3_APP_DATA_PATH", nullptr);
  const CProgramInstallation place({kForeignName / kForeignName, true, {}});
  ExpectClipsSurviveARestart(place, place.DataFile());
  // The settings file beside the program was written: the window's place is in it.
  EXPECT_NE(place.Setting(Settings::kPositionX, -99999), -99999);
}

TEST_F(FoldersTest, AForeignU3FolderHoldsTheClipsAndTheSettings) {
  const fs::path u3 = fs::path(u"u3") / kForeignName;
  const CProgramInstallation place({kForeignName, false, u3});
  CEnvironmentGuard variable("U3_APP_DATA_PATH", Utf8(place.Root() / u3).c_str());
  ExpectClipsSurviveARestart(place, place.Root() / u3 / "data.dat");
  EXPECT_NE(place.Setting(Settings::kPositionX, -99999), -99999);
  EXPECT_FALSE(fs::exists(place.Program().parent_path() / "quillery.ini"));
}

TEST_F(FoldersTest, ASettingsFileThatCannotBeWrittenStopsNothingAndIsToldOnce) {
  // A folder where the file belongs: no write can succeed, not even as an administrator.
  fs::remove(installation.IniFile());
  fs::create_directory(installation.IniFile());
  auto program = Start();
  ASSERT_TRUE(program);
  // FirstLaunch cannot be stored, so this run is a first run.
  HWND settings = program->WaitForWindow(L"#32770", L"Settings", kStartTimeout);
  ASSERT_NE(settings, nullptr);
  PostMessageW(settings, WM_COMMAND, IDOK, 0);
  HWND box = program->WaitForWindow(L"#32770", L"Quillery", kReplyTimeout);
  ASSERT_NE(box, nullptr) << "OK did not say what it could not save";
  const std::u16string text = ChildTexts(box);
  EXPECT_NE(text.find(u"could not save"), std::u16string::npos);
  EXPECT_NE(text.find(installation.IniFile().filename().u16string()), std::u16string::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box) && !IsWindow(settings); }));
  EXPECT_TRUE(Silent(*program)) << "told a second time";
  // The program runs fully: it captures, and its clips are saved at exit.
  ASSERT_TRUE(CopyAndWait(*program, u"captured all the same"));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(ClipTexts(*saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"captured all the same"}));
}

}  // namespace
