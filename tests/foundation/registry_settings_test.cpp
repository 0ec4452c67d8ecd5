// The registry back end of the settings store, natively against the model and under Wine
// against the registry of the build tree's Wine prefix, under a key of the test's own that
// is deleted afterwards.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "foundation/registry.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "platform/windows_api.h"
#include "tests/support/log_capture.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

using ::testing::HasSubstr;
using namespace Settings;

std::string ErrorLine(const std::string& text) {
  return "<font color=\"#ff0000\"><b>" + text;
}

std::u16string Wide(const std::string& text) {
  return {text.begin(), text.end()};
}

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() {
#ifndef _WIN32
    sim::Reset();
#endif
    keyPath = "Software\\Brontel\\QuilleryTest" + std::to_string(std::random_device{}());
  }
  ~RegistryTest() override {
    const std::u16string wide = Wide(keyPath);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, AsWide(wide.c_str()));
  }

  // Puts a text value where the store expects an integer.
  void PutText(const std::string& name) {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey(keyPath, true);
    HKEY key = nullptr;
    const std::u16string wideKey = Wide(keyPath);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, AsWide(wideKey.c_str()), 0, KEY_WRITE, &key), 0);
    const std::u16string wideName = Wide(name);
    const char16_t text[] = u"wide";
    RegSetValueExW(key, AsWide(wideName.c_str()), 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   sizeof text);
    RegCloseKey(key);
  }

  std::string keyPath;
};

TEST_F(RegistryTest, IntegersAreWrittenAndReadBack) {
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.OpenKey(keyPath, true);
  EXPECT_FALSE(registry.ValueExists("Width"));
  registry.WriteInteger("Width", -7);
  EXPECT_TRUE(registry.ValueExists("width"));
  EXPECT_EQ(registry.ReadInteger("Width"), -7);
}

TEST_F(RegistryTest, MissingValuesWrongTypesAndMissingKeysThrow) {
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_THROW(registry.OpenKey(keyPath, false), ERegistryException);
  EXPECT_THROW(registry.ReadInteger("Width"), ERegistryException);
  registry.OpenKey(keyPath, true);
  EXPECT_THROW(registry.ReadInteger("Width"), ERegistryException);
  PutText("Width");
  EXPECT_THROW(registry.ReadInteger("Width"), ERegistryException);
  EXPECT_THROW(registry.OpenKey("", true), ERegistryException);
}

TEST_F(RegistryTest, TheStoreWritesTheDefaultOfAMissingValueAndReadsItBack) {
  CSettingsStorage store(keyPath, false);
  EXPECT_EQ(store.GetInt("Ignored", kWindowWidth, 321), 321);
  EXPECT_EQ(store.GetInt(kWindowWidth, 999), 321);
  store.SetInt(kWindowWidth, 480);
  EXPECT_EQ(store.GetWindowWidth(kWindowWidthSetting.defaultValue), 480);
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.OpenKey(keyPath, false);
  EXPECT_EQ(registry.ReadInteger(kWindowWidth), 480);
}

TEST_F(RegistryTest, TheStoreKeepsTextsAsTextValuesAndAMissingOneIsNone) {
  CSettingsStorage store(keyPath, false);
  EXPECT_FALSE(store.GetText(kPrivacySection, kExcludedPrograms));
  EXPECT_TRUE(store.SetText(kPrivacySection, kExcludedPrograms, u"Пароли.exe;密码.exe"));
  EXPECT_EQ(store.GetText("Ignored", kExcludedPrograms), u"Пароли.exe;密码.exe");
  EXPECT_TRUE(store.SetText(kPrivacySection, kExcludedPrograms, u""));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"");
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.OpenKey(keyPath, false);
  EXPECT_EQ(registry.ReadString(kExcludedPrograms), u"");
}

TEST_F(RegistryTest, AnIntegerWhereTextIsExpectedReadsAsNoneAndIsLogged) {
  CSettingsStorage store(keyPath, false);
  store.SetInt(kExcludedPrograms, 3);
  CLogCapture log;
  EXPECT_FALSE(store.GetText(kPrivacySection, kExcludedPrograms));
  EXPECT_THAT(log.Text(),
              HasSubstr(ErrorLine("[SettingsStorage] GetText ExcludedPrograms Error: ")));
}

TEST_F(RegistryTest, FirstLaunchIsTrueExactlyOncePerKey) {
  {
    CSettingsStorage store(keyPath, false);
    EXPECT_TRUE(store.IsFirstLaunch());
    EXPECT_FALSE(store.IsFirstLaunch());
  }
  CSettingsStorage again(keyPath, false);
  EXPECT_FALSE(again.IsFirstLaunch());
}

TEST_F(RegistryTest, TheStoreLogsItsLifeAsInformation) {
  CLogCapture log;
  { CSettingsStorage store(keyPath, false); }
  EXPECT_EQ(log.Text(),
            "<font color=\"#4f4f4f\"><b>SettingsStorage v1.0 initialized</b></font><br>"
            "<font color=\"#4f4f4f\"><b>SettingsStorage uninitialized</b></font><br>");
}

TEST_F(RegistryTest, AValueThatIsNotAnIntegerReadsAsZeroAndIsLogged) {
  CSettingsStorage store(keyPath, false);
  PutText(std::string(kWindowHeight));
  CLogCapture log;
  EXPECT_EQ(store.GetWindowHeight(kWindowHeightSetting.defaultValue), 0);
  EXPECT_EQ(log.Text(), ErrorLine("[SettingsStorage] GetInt WindowHeight Error: Invalid data type "
                                  "for 'WindowHeight'</b></font><br>"));
}

TEST_F(RegistryTest, WritesAndReadsAfterTheKeyWasDeletedAreLoggedNotThrown) {
  CSettingsStorage store(keyPath, false);
  const std::u16string wide = Wide(keyPath);
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, AsWide(wide.c_str())), 0);
  CLogCapture log;
  store.SetPositionX(-5);
  EXPECT_EQ(store.GetPositionY(7), 0);
  EXPECT_THAT(log.Text(), HasSubstr(ErrorLine("[SettingsStorage] SetInt. Key: PositionX Value: -5 "
                                              "Error: Failed to set data for 'PositionX'")));
  EXPECT_THAT(log.Text(), HasSubstr(ErrorLine("[SettingsStorage] GetInt PositionY Error: ")));
}

TEST_F(RegistryTest, WithoutAKeyPathTheStoreRunsOnDefaultsAndTouchesNoRegistry) {
  CLogCapture log;
  CSettingsStorage store("", false);
  store.SetInt(kWindowWidth, 500);
  EXPECT_EQ(store.GetInt(kWindowWidth, kWindowWidthSetting.defaultValue),
            kWindowWidthSetting.defaultValue);
  EXPECT_THAT(log.Text(), ::testing::Not(HasSubstr("#ff0000")));
}

TEST_F(RegistryTest, AKeyNameTheSystemRefusesIsLoggedShownAndEveryReadGivesZero) {
  CLogCapture log;
  CErrorBoxCapture boxes;
  const std::string refused = keyPath + "\\" + std::string(300, 'k');  // names end at 255
  CSettingsStorage store(refused, false);
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_THAT(boxes.Texts()[0], ::testing::StartsWith("Failed to open key '" + refused + "'"));
  EXPECT_THAT(log.Text(), HasSubstr(ErrorLine("[SettingsStorage] " + boxes.Texts()[0] + "</b>")));
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 12), 0);
  EXPECT_THAT(log.Text(),
              HasSubstr(ErrorLine("[SettingsStorage] GetInt ClipboardCapacity Error: ")));
}

#ifndef _WIN32
TEST_F(RegistryTest, AFailedWriteOfTheDefaultIsLoggedAndReadsZero) {
  CSettingsStorage store(keyPath, false);
  CLogCapture log;
  sim::FailNextRegistryCall("RegSetValueExW");
  EXPECT_EQ(store.GetInt(kQuickPasteMode, 1), 0);
  EXPECT_EQ(log.Text(), ErrorLine("[SettingsStorage] GetInt QuickPasteMode Error: Failed to set "
                                  "data for 'QuickPasteMode' (error 5)</b></font><br>"));
}
#endif

}  // namespace
