// The folder rules, natively against the model and under Wine against real folders. The
// sources (environment, executable folder, application-data folder) are passed in, so that
// no test touches the user's folders; the public functions are checked through the
// environment, which each test puts back.

#include "foundation/data_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/ini_file.h"
#include "platform/windows_api.h"
#include "tests/support/environment_guard.h"
#include "tests/support/temp_folder.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path) {
  return path.string();
}

class DataPathsTest : public ::testing::Test {
 protected:
  DataPathsTest() {
#ifndef _WIN32
    sim::Reset();
#endif
    fs::create_directories(folder.Path() / "app");
    fs::create_directories(folder.Path() / "roaming");
    sources.exeFolder = Text(folder.Path() / "app") + "\\";
    sources.appDataFolder = Text(folder.Path() / "roaming");
  }

  std::string Data() const {
    return ChooseWorkFolder(EWorkFolder::kData, sources);
  }
  std::string Settings() const {
    return ChooseWorkFolder(EWorkFolder::kSettings, sources);
  }
  void MakePortable() {
    fs::create_directory(folder.Path() / "app" / "Data");
  }

  CTempFolder folder;
  CFolderSources sources;
};

TEST_F(DataPathsTest, AnExistingU3FolderHoldsBothFilesAndIsUsedUnchanged) {
  fs::create_directory(folder.Path() / "u3");
  MakePortable();
  sources.u3AppDataPath = Text(folder.Path() / "u3");
  EXPECT_EQ(Data(), sources.u3AppDataPath);
  EXPECT_EQ(Settings(), sources.u3AppDataPath);
}

TEST_F(DataPathsTest, AMissingU3FolderIsIgnoredAndNotCreated) {
  sources.u3AppDataPath = Text(folder.Path() / "u3");
  MakePortable();
  EXPECT_EQ(Data(), sources.exeFolder + "Data\\");
  EXPECT_FALSE(fs::exists(folder.Path() / "u3"));
}

TEST_F(DataPathsTest, APortableInstallationKeepsDataInDataAndSettingsBesideTheProgram) {
  MakePortable();
  EXPECT_EQ(Data(), sources.exeFolder + "Data\\");
  EXPECT_EQ(Settings(), sources.exeFolder);
  EXPECT_TRUE(fs::is_empty(folder.Path() / "roaming"));
}

TEST_F(DataPathsTest, OtherwiseBothLiveInTheApplicationDataFolderCreatedWhenMissing) {
  const std::string expected = sources.appDataFolder + "\\Brontel\\Quillery Pro\\";
  EXPECT_EQ(Data(), expected);
  EXPECT_TRUE(fs::is_directory(folder.Path() / "roaming" / "Brontel" / "Quillery Pro"));
  EXPECT_EQ(Settings(), expected);
}

TEST_F(DataPathsTest, AFolderThatCannotBeCreatedGivesTheProgramsFolder) {
  std::ofstream(folder.Path() / "roaming" / "Brontel") << "a file where the folder belongs";
  EXPECT_EQ(Data(), sources.exeFolder);
  EXPECT_EQ(Settings(), sources.exeFolder);
}

TEST_F(DataPathsTest, WithoutAnApplicationDataFolderTheFoldersGoToTheCurrentDrivesRoot) {
  sources.appDataFolder.clear();
#ifdef _WIN32
  // The current drive is the temporary folder's, which must not be the host's root (Z:).
  if (folder.Path().root_name() == "Z:") GTEST_SKIP() << "the temporary folder is on Z:";
  const fs::path previous = fs::current_path();
  fs::current_path(folder.Path());
  const fs::path company = folder.Path().root_path() / "Brontel";
  const bool existed = fs::exists(company);
#else
  fs::create_directory(folder.Path() / "drive");
  sim::SetCurrentDriveRoot(Text(folder.Path() / "drive"));
  const fs::path company = folder.Path() / "drive" / "Brontel";
#endif
  EXPECT_EQ(Data(), "\\Brontel\\Quillery Pro\\");
  EXPECT_TRUE(fs::is_directory(company / "Quillery Pro"));
#ifdef _WIN32
  fs::current_path(previous);
  if (!existed) fs::remove_all(company);
#endif
}

TEST_F(DataPathsTest, ThePublicFoldersFollowTheEnvironment) {
  fs::create_directory(folder.Path() / "u3");
  CEnvironmentGuard u3("U3_APP_DATA_PATH", Text(folder.Path() / "u3").c_str());
  EXPECT_EQ(DataFolder(), Text(folder.Path() / "u3"));
  EXPECT_EQ(SettingsFolder(), Text(folder.Path() / "u3"));
  EXPECT_EQ(SettingsFileName(), Text(folder.Path() / "u3") + "\\" + IniFileNameFor(ExeFileName()));
}

TEST(ExeFolderTest, TheProgramsFolderEndsInASeparatorAndHoldsTheProgram) {
  const std::string folder = ExeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/');
  EXPECT_EQ(ExeFileName().substr(0, folder.size()), folder);
  EXPECT_TRUE(fs::is_regular_file(ExeFileName()));
}

TEST(ExeFolderTest, TheIniFileIsNamedAfterTheProgram) {
  EXPECT_EQ(IniFileNameFor("C:\\Apps\\Q.exe"), "Q.ini");
  EXPECT_EQ(IniFileNameFor("C:\\Apps\\quillery.v2.exe"), "quillery.v2.ini");
  EXPECT_EQ(IniFileNameFor("C:\\dir.d\\quillery"), "quillery.ini");
}

#ifdef _WIN32
TEST(AppDataFolderTest, IsTheUsersRoamingFolderWithoutATrailingBackslash) {
  const std::string appData = AppDataFolder();
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), '\\');
  EXPECT_TRUE(DirectoryExists(appData));
}
#else
TEST(AppDataFolderTest, IsWhatTheSystemSaysAndEmptyWhenItCannotSay) {
  sim::Reset();
  EXPECT_EQ(AppDataFolder(), "");
  sim::SetAppDataFolder("/home/ann/roaming");
  EXPECT_EQ(AppDataFolder(), "/home/ann/roaming");
  sim::Reset();
}

TEST(ExeFolderTest, TheModelsProgramPathDecidesTheSettingsFile) {
  CTempFolder folder;
  sim::Reset();
  sim::SetModuleFileName(Text(folder.Path()) + "\\app\\Quillery.exe");
  fs::create_directories(folder.Path() / "app" / "Data");
  CEnvironmentGuard u3("U3_APP_DATA_PATH", nullptr);
  EXPECT_EQ(DataFolder(), Text(folder.Path()) + "\\app\\Data\\");
  EXPECT_EQ(SettingsFileName(), Text(folder.Path()) + "\\app\\\\Quillery.ini");
  // The model takes the program's backslashes as separators.
  TIniFile(SettingsFileName()).WriteInteger("Main", "FirstLaunch", 0);
  EXPECT_TRUE(fs::is_regular_file(folder.Path() / "app" / "Quillery.ini"));
  sim::Reset();
}
#endif

}  // namespace
