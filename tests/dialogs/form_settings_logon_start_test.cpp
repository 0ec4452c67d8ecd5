// "Start with Windows" in the settings dialog, under Wine against the registry of the build
// tree's prefix: the check box shows whether the Run value starts this program and OK
// writes only a change. The value is put back afterwards.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "categories/clipboard_handler.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/form_settings.h"
#include "foundation/logon_start.h"
#include "foundation/settings_storage.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/logon_start_guard.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Settings;

constexpr char16_t kOtherCopy[] = u"\"D:\\Portable\\Quillery\\quillery.exe\"";

class FormSettingsLogonStartTest : public ::testing::Test {
 protected:
  // Opens the dialog, sees the box as `shown`, leaves it `wanted` and ends with `button`.
  bool Run(bool shown, bool wanted, int button) {
    script.Then([=](HWND dialog) {
      EXPECT_EQ(Checked(dialog, kIdStartWithWindows), shown);
      if (wanted != shown) Click(dialog, kIdStartWithWindows);
      Click(dialog, button);
    });
    TFormSettings form(nullptr, handler, settings);
    const bool ok = form.ExecuteSettings(icons.get());
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
    return ok;
  }

  std::u16string ThisProgram() const { return LogonStartCommand(running.ExePath()); }

  CLogonStartGuard guard;
  CTempFolder folder;
  CSettingsStorage settings{folder.Path() / "quillery.ini", true};
  CClipboardHandler handler;
  UniqueImageList icons = LoadCategoriesIcons();
  CDialogScript script;
  const CLogonStart running = CLogonStart::ForRunningProgram();
};

TEST_F(FormSettingsLogonStartTest, CheckingWritesTheRunValueAndUncheckingRemovesIt) {
  EXPECT_TRUE(Run(false, true, IDOK));
  EXPECT_EQ(LogonStartValue(), ThisProgram());
  EXPECT_TRUE(Run(true, false, IDOK));
  EXPECT_EQ(LogonStartValue(), std::nullopt);
  EXPECT_TRUE(Run(false, false, IDOK));
  EXPECT_EQ(LogonStartValue(), std::nullopt);
}

TEST_F(FormSettingsLogonStartTest, TheInstallersValueForThisCopyShowsChecked) {
  PutLogonStartValue(ThisProgram());
  EXPECT_TRUE(Run(true, true, IDOK));
  EXPECT_EQ(LogonStartValue(), ThisProgram());
}

TEST_F(FormSettingsLogonStartTest, CancelLeavesTheValueAsItWas) {
  EXPECT_FALSE(Run(false, true, IDCANCEL));
  EXPECT_EQ(LogonStartValue(), std::nullopt);
  PutLogonStartValue(ThisProgram());
  EXPECT_FALSE(Run(true, false, IDCANCEL));
  EXPECT_EQ(LogonStartValue(), ThisProgram());
}

TEST_F(FormSettingsLogonStartTest, AnotherCopysLogonStartShowsUncheckedAndStaysUntilChecked) {
  PutLogonStartValue(std::u16string(kOtherCopy));
  EXPECT_TRUE(Run(false, false, IDOK));
  EXPECT_EQ(LogonStartValue(), std::u16string(kOtherCopy));
  EXPECT_TRUE(Run(false, true, IDOK));
  EXPECT_EQ(LogonStartValue(), ThisProgram());
}

}  // namespace
