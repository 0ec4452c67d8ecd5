// The "Theme" setting as the settings dialog shows and stores it.

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/settings_form_rules.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Settings;

class ThemeSettingTest : public ::testing::Test {
 protected:
  CTempFolder folder;
  CSettingsStorage store{folder.Path() / "quillery.ini", true};
};

TEST_F(ThemeSettingTest, WithNothingStoredTheDialogFollowsWindows) {
  EXPECT_EQ(LoadSettingsFormValues(store).theme, kThemeFollowSystem);
}

TEST_F(ThemeSettingTest, AStrayStoredValueShowsAsFollowingWindows) {
  for (int stray : {3, -1, 1000}) {
    ASSERT_TRUE(store.SetInt(kTheme, stray));
    EXPECT_EQ(LoadSettingsFormValues(store).theme, kThemeFollowSystem) << stray;
  }
}

TEST_F(ThemeSettingTest, TheChosenLookIsStoredAndReadBack) {
  CSettingsFormValues values = LoadSettingsFormValues(store);
  values.theme = kThemeDark;
  EXPECT_TRUE(SaveSettingsFormValues(store, values).empty());
  EXPECT_EQ(store.GetInt(kTheme, -1), kThemeDark);
  EXPECT_EQ(LoadSettingsFormValues(store).theme, kThemeDark);
  values.theme = 9;
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kTheme, -1), kThemeFollowSystem);
}

}  // namespace
