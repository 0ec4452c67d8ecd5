#include "foundation/settings_reader.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/temp_settings.h"

namespace {

using namespace Settings;

constexpr CIntSetting kAllSettings[] = {
    kPriHotKeyValueSetting,
    kSecHotKeyValueSetting,
    kQuickPasteModeSetting,
    kPasteMethodSetting,
    kClipboardCapacitySetting,
    kMaxFormatSizeSetting,
    kClipboardMonitorVisibleSetting,
    kWindowTransparencySetting,
    kWindowWidthSetting,
    kWindowHeightSetting,
    kLastUpdatesCheckSetting,
    kFirstLaunchSetting,
    kForgetAfterHoursSetting,
    kKeepDuplicatesSetting,
    kPauseHotKeyValueSetting,
    kEncryptClipsSetting,
};

class SettingsReaderTest : public ::testing::Test {
 protected:
  CTempSettings settings;
  CSettingsStorage& store = settings.store;
};

TEST_F(SettingsReaderTest, EachSettingGivesItsDefaultWhenNoneIsStored) {
  for (const CIntSetting& setting : kAllSettings) {
    EXPECT_EQ(ReadSetting(store, setting), setting.defaultValue) << setting.key;
    EXPECT_EQ(ReadSettingAsStored(store, setting), setting.defaultValue) << setting.key;
  }
}

TEST(SettingsDescriptionTest, EveryDefaultLiesInItsRangeAndEveryKeyIsItsOwn) {
  for (const CIntSetting& setting : kAllSettings) {
    EXPECT_LE(setting.min, setting.defaultValue) << setting.key;
    EXPECT_LE(setting.defaultValue, setting.max) << setting.key;
    for (const CIntSetting& other : kAllSettings) {
      if (&other != &setting) {
        EXPECT_NE(other.key, setting.key);
      }
    }
  }
}

TEST_F(SettingsReaderTest, AStoredValueIsLimitedToTheRangeOnlyByTheClampingReader) {
  store.SetInt(kWindowWidth, 99);
  EXPECT_EQ(ReadSetting(store, kWindowWidthSetting), 100);
  EXPECT_EQ(ReadSettingAsStored(store, kWindowWidthSetting), 99);
  store.SetInt(kWindowWidth, 801);
  EXPECT_EQ(ReadSetting(store, kWindowWidthSetting), 800);
  EXPECT_EQ(ReadSettingAsStored(store, kWindowWidthSetting), 801);
  store.SetInt(kWindowWidth, 100);
  EXPECT_EQ(ReadSetting(store, kWindowWidthSetting), 100);
  store.SetInt(kWindowWidth, 800);
  EXPECT_EQ(ReadSetting(store, kWindowWidthSetting), 800);
}

TEST_F(SettingsReaderTest, TheFormatLimitIsClampedAtNoneAndAtOneGigabyte) {
  store.SetInt(kMaxFormatSize, -5);
  EXPECT_EQ(ReadSetting(store, kMaxFormatSizeSetting), 0);
  store.SetInt(kMaxFormatSize, 2000000);
  EXPECT_EQ(ReadSetting(store, kMaxFormatSizeSetting), 1048576);
}

TEST_F(SettingsReaderTest, HotKeysAndTheMonitorFlagAreReadAsStoredWhateverTheValue) {
  for (int value :
       {std::numeric_limits<int>::min(), -1, 0, 0x2002, std::numeric_limits<int>::max()}) {
    store.SetInt(kPriHotKeyValue, value);
    store.SetInt(kSecHotKeyValue, value);
    store.SetInt(kClipboardMonitorVisible, value);
    EXPECT_EQ(ReadSetting(store, kPriHotKeyValueSetting), value);
    EXPECT_EQ(ReadSetting(store, kSecHotKeyValueSetting), value);
    EXPECT_EQ(ReadSetting(store, kClipboardMonitorVisibleSetting), value);
  }
}

TEST_F(SettingsReaderTest, ThePrivacySettingsAreReadFromTheirOwnSectionAndClamped) {
  store.SetInt(kForgetAfterHours, 48);  // in "Main": not the setting
  EXPECT_EQ(ReadSetting(store, kForgetAfterHoursSetting), kForgetNever);
  store.SetInt(kPrivacySection, kForgetAfterHours, 100000);
  store.SetInt(kPrivacySection, kKeepDuplicates, 5);
  store.SetInt(kPrivacySection, kPauseHotKeyValue, 0xC050);
  EXPECT_EQ(ReadSetting(store, kForgetAfterHoursSetting), 87600);
  EXPECT_EQ(ReadSetting(store, kKeepDuplicatesSetting), kKeepDuplicatesOn);
  EXPECT_EQ(ReadSetting(store, kPauseHotKeyValueSetting), 0xC050);
  store.SetInt(kPrivacySection, kForgetAfterHours, -1);
  EXPECT_EQ(ReadSetting(store, kForgetAfterHoursSetting), kForgetNever);
}

TEST_F(SettingsReaderTest, AnEncryptionModeOutsideTheThreeReadsAsOffAndLeavesTheOthersAlone) {
  store.SetInt(kPrivacySection, kKeepDuplicates, kKeepDuplicatesOn);
  for (int mode : {kEncryptClipsOff, kEncryptClipsAccount, kEncryptClipsPassword}) {
    store.SetInt(kPrivacySection, kEncryptClips, mode);
    EXPECT_EQ(ReadSettingInRange(store, kEncryptClipsSetting), mode);
  }
  for (int stray : {3, 7, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    store.SetInt(kPrivacySection, kEncryptClips, stray);
    EXPECT_EQ(ReadSettingInRange(store, kEncryptClipsSetting), kEncryptClipsOff) << stray;
    EXPECT_EQ(ReadSettingAsStored(store, kEncryptClipsSetting), stray);  // nothing rewritten
  }
  EXPECT_EQ(ReadSetting(store, kKeepDuplicatesSetting), kKeepDuplicatesOn);
}

TEST(SettingsReaderFallbackTest, AStoreWithoutAKeyGivesEveryDefault) {
  CSettingsStorage store("", false);
  store.SetInt(kWindowWidth, 500);  // dropped
  EXPECT_EQ(ReadSetting(store, kWindowWidthSetting), kWindowWidthSetting.defaultValue);
  EXPECT_EQ(ReadSetting(store, kQuickPasteModeSetting), kQuickPasteModeSetting.defaultValue);
}

}  // namespace
