#include "foundation/settings_storage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "foundation/file_error.h"
#include "foundation/settings_keys.h"
#include "tests/support/log_capture.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace Settings;

void PutFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SettingsStorageTest : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseSettings(); }

  CTempFolder folder;
  fs::path path = folder.Path() / "quillery.ini";
  CSettingsStorage store{path, true};
};

TEST_F(SettingsStorageTest, WithoutAnIniFileEveryReadGivesItsDefaultAndCreatesNothing) {
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacityDefault), 12);
  EXPECT_EQ(store.GetInt(kSecHotKeyValue, kSecHotKeyValueDefault), 0xC056);
  EXPECT_EQ(store.GetInt(kSectionMain, kWindowHeight, kWindowHeightDialogDefault), 390);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SettingsStorageTest, HandEditedValuesComeBackUnclamped) {
  PutFile(path, "[Main]\r\nQuickPasteMode=7\r\nWindowTransparency=-3\r\n");
  EXPECT_EQ(store.GetInt(kQuickPasteMode, kQuickPasteModeDefault), 7);
  EXPECT_EQ(store.GetInt(kWindowTransparency, kWindowTransparencyDefault), -3);
}

TEST_F(SettingsStorageTest, NonNumbersGiveTheDefaultAndHexadecimalValuesAreNumbers) {
  PutFile(path, "[Main]\r\nWindowWidth=wide\r\nPositionX=0x10\r\nPositionY=$10\r\n");
  EXPECT_EQ(store.GetInt(kWindowWidth, kWindowWidthDefault), kWindowWidthDefault);
  EXPECT_EQ(store.GetInt(kPositionX, 0), 16);
  EXPECT_EQ(store.GetInt(kPositionY, 0), 16);
}

TEST_F(SettingsStorageTest, SetIntIsSeenByTheNextGetIntAndStoredInDecimalUnderMain) {
  store.SetInt(kClipboardCapacity, 40);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacityDefault), 40);
  store.SetInt(kClipboardCapacity, 0x20);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacityDefault), 32);
  EXPECT_EQ(FileBytes(path), "[Main]\r\nClipboardCapacity=32\r\n");
}

TEST_F(SettingsStorageTest, TheSectionFormsReachOtherSections) {
  store.SetInt("Extra", kClipboardCapacity, 5);
  EXPECT_EQ(store.GetInt("Extra", kClipboardCapacity, 0), 5);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 0), 0);
}

TEST_F(SettingsStorageTest, ARefusedWriteLetsTheFileErrorThrough) {
  CSettingsStorage lost(folder.Path() / "missing" / "quillery.ini", true);
  EXPECT_THROW(lost.SetInt(kClipboardCapacity, 5), CFileError);
}

TEST_F(SettingsStorageTest, CreateSettingsMakesTheProcessStoreUntilItIsReleased) {
  CreateSettings(path, true);
  SettingsInstance().SetInt(kFirstLaunch, 0);
  EXPECT_EQ(SettingsInstance().GetInt(kFirstLaunch, kFirstLaunchDefault), 0);
  ReleaseSettings();
  EXPECT_FALSE(SettingsInstance().UseIniFile());
  EXPECT_EQ(FileBytes(path), "[Main]\r\nFirstLaunch=0\r\n");
}

TEST_F(SettingsStorageTest, WithoutAStoreTheInstanceRunsOnDefaults) {
  CSettingsStorage& instance = SettingsInstance();
  instance.SetInt(kWindowWidth, 500);
  EXPECT_EQ(instance.GetInt(kWindowWidth, kWindowWidthDefault), kWindowWidthDefault);
  EXPECT_EQ(&SettingsInstance(), &instance);
}

TEST_F(SettingsStorageTest, FirstLaunchIsTrueOnceAndLeavesOnlyThatKeyInTheFile) {
  EXPECT_TRUE(store.IsFirstLaunch());
  EXPECT_EQ(FileBytes(path), "[Main]\r\nFirstLaunch=0\r\n");
  EXPECT_FALSE(store.IsFirstLaunch());
  CSettingsStorage reopened(path, true);
  EXPECT_FALSE(reopened.IsFirstLaunch());
}

TEST_F(SettingsStorageTest, AHandWrittenFirstLaunchOtherThanOneIsNotAFirstLaunch) {
  PutFile(path, "[Main]\r\nFirstLaunch=2\r\n");
  EXPECT_FALSE(store.IsFirstLaunch());
  EXPECT_EQ(FileBytes(path), "[Main]\r\nFirstLaunch=2\r\n");
}

TEST_F(SettingsStorageTest, TheWindowHelpersUseTheirKeys) {
  store.SetPositionX(-1200);
  store.SetPositionY(40);
  store.SetWindowWidth(250);
  store.SetWindowHeight(600);
  EXPECT_EQ(FileBytes(path),
            "[Main]\r\nPositionX=-1200\r\nPositionY=40\r\nWindowWidth=250\r\n"
            "WindowHeight=600\r\n");
  EXPECT_EQ(store.GetPositionX(0), -1200);
  EXPECT_EQ(store.GetPositionY(0), 40);
  EXPECT_EQ(store.GetWindowWidth(kWindowWidthDefault), 250);
  EXPECT_EQ(store.GetWindowHeight(kWindowHeightDefault), 600);
}

TEST_F(SettingsStorageTest, TheUpdateDateIsStoredInWholeDaysTruncatedTowardZero) {
  EXPECT_EQ(store.GetLastUpdatesCheck(), 0.0);
  store.SetLastUpdatesCheck(46000.99);
  EXPECT_EQ(store.GetLastUpdatesCheck(), 46000.0);
  store.SetLastUpdatesCheck(-1.5);
  EXPECT_EQ(store.GetLastUpdatesCheck(), -1.0);
  EXPECT_EQ(store.GetInt(kLastUpdatesCheck, 5), -1);
}

TEST_F(SettingsStorageTest, DatesBeyondTheIntegerRangeAreClampedNotWrapped) {
  store.SetLastUpdatesCheck(1e12);
  EXPECT_EQ(store.GetLastUpdatesCheck(), 2147483647.0);
  store.SetLastUpdatesCheck(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(store.GetLastUpdatesCheck(), 0.0);
}

TEST_F(SettingsStorageTest, TheIniStoreLogsItsLifeAsInformation) {
  CLogCapture log;
  { CSettingsStorage other(path, true); }
  EXPECT_EQ(log.Text(),
            "<font color=\"#4f4f4f\"><b>SettingsStorage v1.0 initialized</b></font><br>"
            "<font color=\"#4f4f4f\"><b>SettingsStorage uninitialized</b></font><br>");
}

}  // namespace
