#include "foundation/settings_storage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

#include "foundation/file_error.h"
#include "foundation/settings_keys.h"
#include "tests/support/log_capture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

namespace fs = std::filesystem;
using namespace Settings;

class SettingsStorageTest : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseSettings(); }

  CTempFolder folder;
  fs::path path = folder.Path() / "quillery.ini";
  CSettingsStorage store{path, true};
};

TEST_F(SettingsStorageTest, WithoutAnIniFileEveryReadGivesItsDefaultAndCreatesNothing) {
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacitySetting.defaultValue), 12);
  EXPECT_EQ(store.GetInt(kSecHotKeyValue, kSecHotKeyValueSetting.defaultValue), 0xC056);
  EXPECT_EQ(store.GetInt(kSectionMain, kWindowHeight, kWindowHeightDialogDefault), 390);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(SettingsStorageTest, HandEditedValuesComeBackUnclamped) {
  PutFile(path, "[Main]\r\nQuickPasteMode=7\r\nWindowTransparency=-3\r\n");
  EXPECT_EQ(store.GetInt(kQuickPasteMode, kQuickPasteModeSetting.defaultValue), 7);
  EXPECT_EQ(store.GetInt(kWindowTransparency, kWindowTransparencySetting.defaultValue), -3);
}

TEST_F(SettingsStorageTest, NonNumbersGiveTheDefaultAndHexadecimalValuesAreNumbers) {
  PutFile(path, "[Main]\r\nWindowWidth=wide\r\nPositionX=0x10\r\nPositionY=$10\r\n");
  EXPECT_EQ(store.GetInt(kWindowWidth, kWindowWidthSetting.defaultValue),
            kWindowWidthSetting.defaultValue);
  EXPECT_EQ(store.GetInt(kPositionX, 0), 16);
  EXPECT_EQ(store.GetInt(kPositionY, 0), 16);
}

TEST_F(SettingsStorageTest, SetIntIsSeenByTheNextGetIntAndStoredInDecimalUnderMain) {
  store.SetInt(kClipboardCapacity, 40);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacitySetting.defaultValue), 40);
  store.SetInt(kClipboardCapacity, 0x20);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacitySetting.defaultValue), 32);
  EXPECT_EQ(FileBytes(path), "[Main]\r\nClipboardCapacity=32\r\n");
}

TEST_F(SettingsStorageTest, TheSectionFormsReachOtherSections) {
  store.SetInt("Extra", kClipboardCapacity, 5);
  EXPECT_EQ(store.GetInt("Extra", kClipboardCapacity, 0), 5);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 0), 0);
}

TEST_F(SettingsStorageTest, TextsOfAnyScriptRoundTripAndLeaveTheIntegersInMain) {
  store.SetInt(kClipboardCapacity, 40);
  EXPECT_FALSE(store.GetText(kPrivacySection, kExcludedPrograms));
  EXPECT_TRUE(store.SetText(kPrivacySection, kExcludedPrograms, u"KeePass.exe;Пароли.exe"));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"KeePass.exe;Пароли.exe");
  EXPECT_EQ(store.GetText(kSectionMain, kExcludedPrograms), std::nullopt);
  EXPECT_EQ(CSettingsStorage(path, true).GetText(kPrivacySection, "excludedprograms"),
            u"KeePass.exe;Пароли.exe");
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 0), 40);
  EXPECT_TRUE(store.SetText(kPrivacySection, kExcludedPrograms, u""));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"");
}

// ---- A settings file that cannot be written ----

// Its folder's parent is a file: no write can succeed, not even as an administrator (Wine
// run as root writes into read-only folders).
class UnwritableSettingsTest : public ::testing::Test {
 protected:
  UnwritableSettingsTest() { PutFile(folder.Path() / "medium", "a file, not a folder"); }

  CTempFolder folder;
  fs::path path = folder.Path() / "medium" / "Quillery" / "quillery.ini";
  CSettingsStorage store{path, true};
};

TEST_F(UnwritableSettingsTest, ARefusedWriteKeepsTheValueForTheRunWithoutThrowing) {
  EXPECT_FALSE(store.SetInt(kClipboardCapacity, 40));
  EXPECT_EQ(store.GetInt(kClipboardCapacity, kClipboardCapacitySetting.defaultValue), 40);
  EXPECT_EQ(store.GetInt(kSectionMain, "clipboardcapacity", 0), 40);  // names ignore case
  EXPECT_FALSE(store.SetWindowWidth(300));
  EXPECT_EQ(store.GetWindowWidth(kWindowWidthSetting.defaultValue), 300);
  EXPECT_EQ(store.GetInt(kWindowHeight, 7), 7);  // what was never set keeps its default
}

TEST_F(UnwritableSettingsTest, TheUserIsToldOncePerRunInPlainWordsAndWhere) {
  EXPECT_FALSE(store.UnsavedNotice());
  store.SetInt(kClipboardCapacity, 40);
  const auto notice = store.TakeUnsavedNotice();
  ASSERT_TRUE(notice);
  const std::u8string where = path.u8string();
  EXPECT_NE(notice->find("cannot save its settings in " + std::string(where.begin(), where.end())),
            std::string::npos);
  store.SetInt(kWindowWidth, 300);
  EXPECT_FALSE(store.CheckWritable());
  EXPECT_FALSE(store.TakeUnsavedNotice());
}

TEST_F(UnwritableSettingsTest, ARefusedTextIsKeptForTheRunAndToldOnceWithTheIntegers) {
  EXPECT_FALSE(store.SetText(kPrivacySection, kExcludedPrograms, u"密码.exe"));
  EXPECT_EQ(store.GetText(kPrivacySection, "EXCLUDEDPROGRAMS"), u"密码.exe");
  EXPECT_EQ(store.GetText(kSectionMain, kExcludedPrograms), std::nullopt);
  EXPECT_TRUE(store.TakeUnsavedNotice());
  EXPECT_FALSE(store.SetText(kPrivacySection, kExcludedPrograms, u""));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"");
  EXPECT_FALSE(store.SetInt(kClipboardCapacity, 40));
  EXPECT_FALSE(store.TakeUnsavedNotice());
}

TEST_F(UnwritableSettingsTest, FirstLaunchIsTrueOncePerRunWhenItCannotBeStored) {
  EXPECT_TRUE(store.IsFirstLaunch());
  EXPECT_FALSE(store.IsFirstLaunch());
  EXPECT_TRUE(store.UnsavedNotice());
}

TEST_F(UnwritableSettingsTest, CheckWritableSetsTheNoticeBeforeAnyWrite) {
  EXPECT_FALSE(store.CheckWritable());
  EXPECT_TRUE(store.UnsavedNotice());
}

TEST_F(SettingsStorageTest, CheckWritableLeavesAWritableFileAsItWas) {
  PutFile(path, "[Main]\r\nWindowWidth=300\r\n");
  EXPECT_TRUE(store.CheckWritable());
  EXPECT_EQ(FileBytes(path), "[Main]\r\nWindowWidth=300\r\n");
  EXPECT_FALSE(store.UnsavedNotice());
}

#ifndef _WIN32
TEST_F(SettingsStorageTest, AWriteThatFailsOnceIsStoredByTheNextThatWorks) {
  sim::FailNextFileCall("WritePrivateProfileStringW");
  EXPECT_FALSE(store.SetInt(kClipboardCapacity, 40));
  EXPECT_TRUE(store.UnsavedNotice());
  EXPECT_TRUE(store.SetInt(kClipboardCapacity, 50));
  EXPECT_EQ(FileBytes(path), "[Main]\r\nClipboardCapacity=50\r\n");
  PutFile(path, "[Main]\r\nClipboardCapacity=60\r\n");
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 0), 60);  // the file again, not the kept value
}

TEST_F(SettingsStorageTest, ATextWriteThatFailsOnceIsStoredByTheNextThatWorks) {
  sim::FailNextFileCall("WritePrivateProfileStringW");
  EXPECT_FALSE(store.SetText(kPrivacySection, kExcludedPrograms, u"a.exe"));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"a.exe");
  EXPECT_TRUE(store.UnsavedNotice());
  EXPECT_TRUE(store.SetText(kPrivacySection, kExcludedPrograms, u"b.exe"));
  PutFile(path, "[Privacy]\r\nExcludedPrograms=c.exe\r\n");
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"c.exe");
}
#endif

TEST_F(SettingsStorageTest, CreateSettingsMakesTheProcessStoreUntilItIsReleased) {
  CreateSettings(path, true);
  SettingsInstance().SetInt(kFirstLaunch, 0);
  EXPECT_EQ(SettingsInstance().GetInt(kFirstLaunch, kFirstLaunchSetting.defaultValue), 0);
  ReleaseSettings();
  EXPECT_FALSE(SettingsInstance().UseIniFile());
  EXPECT_EQ(FileBytes(path), "[Main]\r\nFirstLaunch=0\r\n");
}

TEST_F(SettingsStorageTest, WithoutAStoreTheInstanceRunsOnDefaults) {
  CSettingsStorage& instance = SettingsInstance();
  instance.SetInt(kWindowWidth, 500);
  EXPECT_EQ(instance.GetInt(kWindowWidth, kWindowWidthSetting.defaultValue),
            kWindowWidthSetting.defaultValue);
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
  EXPECT_EQ(store.GetWindowWidth(kWindowWidthSetting.defaultValue), 250);
  EXPECT_EQ(store.GetWindowHeight(kWindowHeightSetting.defaultValue), 600);
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
