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

std::u16string Text(const fs::path& path) {
  return path.u16string();
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Names outside code page 1252, the ANSI code page of the model and of the Wine session:
// Polish, Japanese and Russian.
const fs::path kPolish(u"\u0141ukasz");
const fs::path kJapanese(u"\u65e5\u672c");
const fs::path kRussian(u"\u041f\u0440\u0438\u0432\u0435\u0442");

class DataPathsTest : public ::testing::Test {
 protected:
  DataPathsTest() {
#ifndef _WIN32
    sim::Reset();
#endif
    fs::create_directories(folder.Path() / "app");
    fs::create_directories(folder.Path() / "roaming");
    sources.exeFolder = Text(folder.Path() / "app") + u"\\";
    sources.appDataFolder = Text(folder.Path() / "roaming");
  }

  std::u16string Data() const {
    return ChooseWorkFolder(EWorkFolder::kData, sources);
  }
  std::u16string Settings() const {
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
  EXPECT_EQ(Data(), sources.exeFolder + u"Data\\");
  EXPECT_FALSE(fs::exists(folder.Path() / "u3"));
}

TEST_F(DataPathsTest, APortableInstallationKeepsDataInDataAndSettingsBesideTheProgram) {
  MakePortable();
  EXPECT_EQ(Data(), sources.exeFolder + u"Data\\");
  EXPECT_EQ(Settings(), sources.exeFolder);
  EXPECT_TRUE(fs::is_empty(folder.Path() / "roaming"));
}

TEST_F(DataPathsTest, OtherwiseBothLiveInTheApplicationDataFolderCreatedWhenMissing) {
  const std::u16string expected = sources.appDataFolder + u"\\Brontel\\Quillery Pro\\";
  EXPECT_EQ(Data(), expected);
  EXPECT_TRUE(fs::is_directory(folder.Path() / "roaming" / "Brontel" / "Quillery Pro"));
  EXPECT_EQ(Settings(), expected);
}

TEST_F(DataPathsTest, ACopyIsPortableBesideADataFolderOrOnAU3DriveOnly) {
  EXPECT_FALSE(IsPortableCopy(sources));
  sources.u3AppDataPath = Text(folder.Path() / "u3");  // named but missing
  EXPECT_FALSE(IsPortableCopy(sources));
  fs::create_directory(folder.Path() / "u3");
  EXPECT_TRUE(IsPortableCopy(sources));
  sources.u3AppDataPath.clear();
  MakePortable();
  EXPECT_TRUE(IsPortableCopy(sources));
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
  sim::SetCurrentDriveRoot(Utf8(folder.Path() / "drive"));
  const fs::path company = folder.Path() / "drive" / "Brontel";
#endif
  EXPECT_EQ(Data(), u"\\Brontel\\Quillery Pro\\");
  EXPECT_TRUE(fs::is_directory(company / "Quillery Pro"));
#ifdef _WIN32
  fs::current_path(previous);
  if (!existed) fs::remove_all(company);
#endif
}

TEST_F(DataPathsTest, ThePublicFoldersFollowTheEnvironment) {
  fs::create_directory(folder.Path() / "u3");
  CEnvironmentGuard u3("U3_APP_DATA_PATH", Utf8(folder.Path() / "u3").c_str());
  EXPECT_EQ(DataFolder(), Text(folder.Path() / "u3"));
  EXPECT_EQ(SettingsFolder(), Text(folder.Path() / "u3"));
  EXPECT_EQ(SettingsFileName(), Text(folder.Path() / "u3") + u"\\" + IniFileNameFor(ExeFileName()));
}

// ---- Folders whose names the ANSI code page cannot hold ----

TEST_F(DataPathsTest, AU3FolderOutsideTheAnsiCodePageIsFoundFromTheEnvironment) {
  const fs::path u3 = folder.Path() / kRussian / kJapanese;
  fs::create_directories(u3);
  CEnvironmentGuard variable("U3_APP_DATA_PATH", Utf8(u3).c_str());
  EXPECT_EQ(DataFolder(), Text(u3));
  EXPECT_EQ(SettingsFolder(), Text(u3));
  EXPECT_EQ(SettingsFileName(), Text(u3) + u"\\" + IniFileNameFor(ExeFileName()));
}

TEST_F(DataPathsTest, APortableInstallationOutsideTheAnsiCodePageKeepsItsDataFolder) {
  const fs::path app = folder.Path() / kPolish / kJapanese;
  fs::create_directories(app / "Data");
  sources.exeFolder = Text(app) + u"\\";
  EXPECT_EQ(Data(), sources.exeFolder + u"Data\\");
  EXPECT_EQ(Settings(), sources.exeFolder);
  EXPECT_TRUE(fs::is_empty(folder.Path() / "roaming"));
}

TEST_F(DataPathsTest, AnApplicationDataFolderOutsideTheAnsiCodePageGetsTheProductFolder) {
  const fs::path roaming = folder.Path() / kRussian / kPolish;
  fs::create_directories(roaming);
  sources.appDataFolder = Text(roaming);
  EXPECT_EQ(Data(), sources.appDataFolder + u"\\Brontel\\Quillery Pro\\");
  EXPECT_TRUE(fs::is_directory(roaming / "Brontel" / "Quillery Pro"));
}

TEST(ExeFolderTest, TheProgramsFolderEndsInASeparatorAndHoldsTheProgram) {
  const std::u16string folder = ExeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == u'\\' || folder.back() == u'/');
  EXPECT_EQ(ExeFileName().substr(0, folder.size()), folder);
  EXPECT_TRUE(fs::is_regular_file(ExeFileName()));
}

TEST(ExeFolderTest, TheIniFileIsNamedAfterTheProgram) {
  EXPECT_EQ(IniFileNameFor(u"C:\\Apps\\Q.exe"), u"Q.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\Apps\\quillery.v2.exe"), u"quillery.v2.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\dir.d\\quillery"), u"quillery.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\\u65e5\u672c\\\u0141ukasz.exe"), u"\u0141ukasz.ini");
}

#ifdef _WIN32
TEST(AppDataFolderTest, IsTheUsersRoamingFolderWithoutATrailingBackslash) {
  const std::u16string appData = AppDataFolder();
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), u'\\');
  EXPECT_TRUE(DirectoryExists(appData));
}
#else
TEST(AppDataFolderTest, IsWhatTheSystemSaysAndEmptyWhenItCannotSay) {
  sim::Reset();
  EXPECT_EQ(AppDataFolder(), u"");
  sim::SetAppDataFolder("/home/\u0141ukasz/roaming");
  EXPECT_EQ(AppDataFolder(), u"/home/\u0141ukasz/roaming");
  sim::Reset();
}

TEST(ExeFolderTest, TheModelsProgramPathDecidesTheSettingsFile) {
  CTempFolder folder;
  sim::Reset();
  sim::SetModuleFileName(Utf8(folder.Path()) + "\\app\\Quillery.exe");
  fs::create_directories(folder.Path() / "app" / "Data");
  CEnvironmentGuard u3("U3_APP_DATA_PATH", nullptr);
  EXPECT_EQ(DataFolder(), Text(folder.Path()) + u"\\app\\Data\\");
  EXPECT_EQ(SettingsFileName(), Text(folder.Path()) + u"\\app\\\\Quillery.ini");
  // The model takes the program's backslashes as separators.
  TIniFile(SettingsFileName()).WriteInteger("Main", "FirstLaunch", 0);
  EXPECT_TRUE(fs::is_regular_file(folder.Path() / "app" / "Quillery.ini"));
  sim::Reset();
}

TEST(ExeFolderTest, AProgramInAFolderOutsideTheAnsiCodePageFindsItsDataAndSettings) {
  CTempFolder folder;
  sim::Reset();
  const fs::path app = folder.Path() / kJapanese / kPolish;
  sim::SetModuleFileName(Utf8(app) + "\\" + Utf8(kRussian) + ".exe");
  fs::create_directories(app / "Data");
  CEnvironmentGuard u3("U3_APP_DATA_PATH", nullptr);
  EXPECT_EQ(DataFolder(), Text(app) + u"\\Data\\");
  TIniFile(SettingsFileName()).WriteInteger("Main", "FirstLaunch", 0);
  EXPECT_TRUE(fs::is_regular_file(app / (kRussian.u16string() + u".ini")));
  sim::Reset();
}
#endif

}  // namespace
