// The "Encryption" group of the settings dialog's "Privacy" page for real, under Wine: the
// modes each kind of copy offers, the new-password dialog behind the password mode and
// "Change password...", and what OK stores and hands over.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "categories/clipboard_handler.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/form_settings.h"
#include "dialogs/win32/new_password_form.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Settings;

void ShowEncryptionPage(HWND dialog) {
  HWND tab = Control(dialog, kIdPageControl);
  TabCtrl_SetCurSel(tab, 3);
  NMHDR header{tab, static_cast<UINT_PTR>(kIdPageControl), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, kIdPageControl, reinterpret_cast<LPARAM>(&header));
}

bool EncryptionControlEnabled(HWND dialog, int id) {
  return IsWindowEnabled(Control(dialog, id)) != FALSE;
}

RECT EncryptionScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Every control of the group lies within the privacy page.
void ExpectEncryptionGroupOnPage(HWND dialog) {
  const RECT page = EncryptionScreenRect(Control(dialog, kIdPagePrivacy));
  for (int id : {kIdEncryptOff, kIdEncryptAccount, kIdEncryptPassword, kIdChangePassword,
                 kIdEncryptionHint}) {
    HWND control = Control(dialog, id);
    if (control == nullptr) continue;
    const RECT box = EncryptionScreenRect(control);
    EXPECT_LE(box.bottom, page.bottom) << id;
    EXPECT_LE(box.right, page.right) << id;
    EXPECT_GE(box.top, EncryptionScreenRect(Control(dialog, kIdKeepDuplicates)).bottom) << id;
  }
}

// The new-password dialog's step: both entries set to `password`, then OK.
CDialogScript::Step EnterNewPassword(std::u16string password) {
  return [password](HWND dialog) {
    SetText(Control(dialog, kIdNewPassword), password);
    SetText(Control(dialog, kIdRepeatPassword), password);
    Click(dialog, IDOK);
  };
}

class FormSettingsEncryptionTest : public ::testing::Test {
 protected:
  ~FormSettingsEncryptionTest() override {
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
    ReleaseSettings();
  }

  // Runs the dialog; its encryption change when it ended with OK.
  bool Execute(bool portable = false) {
    TFormSettings form(nullptr, handler, settings);
    form.SetPortableCopy(portable);
    const bool ok = form.ExecuteSettings(icons.get());
    change = std::move(form.EncryptionChange());
    return ok;
  }

  int StoredMode() const { return settings.GetInt(kPrivacySection, kEncryptClips, -1); }

  std::string FileText() const {
    std::ifstream in(folder.Path() / "quillery.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  CTempFolder folder;
  CSettingsStorage settings{folder.Path() / "quillery.ini", true};
  CClipboardHandler handler;
  UniqueImageList icons = LoadCategoriesIcons();
  CDialogScript script;
  std::optional<CEncryptionChange> change;
};

TEST_F(FormSettingsEncryptionTest, AnInstalledCopyOffersThreeModesAndOkKeepsTheStoredOne) {
  settings.SetInt(kPrivacySection, kEncryptClips, kEncryptClipsAccount);
  script.Then([](HWND dialog) {
    ShowEncryptionPage(dialog);
    EXPECT_FALSE(Checked(dialog, kIdEncryptOff));
    EXPECT_TRUE(Checked(dialog, kIdEncryptAccount));
    EXPECT_FALSE(Checked(dialog, kIdEncryptPassword));
    EXPECT_FALSE(EncryptionControlEnabled(dialog, kIdChangePassword));
    EXPECT_EQ(Control(dialog, kIdEncryptionHint), nullptr);
    ExpectEncryptionGroupOnPage(dialog);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(StoredMode(), kEncryptClipsAccount);
  EXPECT_FALSE(change);
}

TEST_F(FormSettingsEncryptionTest, APortableCopyOffersOffAndPasswordAndSaysWhy) {
  script.Then([](HWND dialog) {
    ShowEncryptionPage(dialog);
    EXPECT_TRUE(Checked(dialog, kIdEncryptOff));
    EXPECT_EQ(Control(dialog, kIdEncryptAccount), nullptr);
    EXPECT_NE(Control(dialog, kIdEncryptPassword), nullptr);
    ASSERT_NE(Control(dialog, kIdEncryptionHint), nullptr);
    EXPECT_NE(Text(Control(dialog, kIdEncryptionHint)).find(u"Windows account"),
              std::u16string::npos);
    ExpectEncryptionGroupOnPage(dialog);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute(true));
  EXPECT_EQ(StoredMode(), kEncryptClipsOff);
  EXPECT_FALSE(change);
}

TEST_F(FormSettingsEncryptionTest, CancellingTheNewPasswordLeavesTheChoiceAsItWas) {
  script
      .Then([](HWND dialog) {
        ShowEncryptionPage(dialog);
        Click(dialog, kIdEncryptPassword);  // the next step runs in the password dialog
        EXPECT_TRUE(Checked(dialog, kIdEncryptOff));
        EXPECT_FALSE(Checked(dialog, kIdEncryptPassword));
        EXPECT_FALSE(EncryptionControlEnabled(dialog, kIdChangePassword));
        Click(dialog, IDOK);
      })
      .Then([](HWND passwordDialog) {
        EXPECT_EQ(Text(passwordDialog), u"Choose a password");
        SetText(Control(passwordDialog, kIdNewPassword), u"typed then dropped");
        Click(passwordDialog, IDCANCEL);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(StoredMode(), kEncryptClipsOff);
  EXPECT_FALSE(change);
}

TEST_F(FormSettingsEncryptionTest, APasswordSetIsHandedOverOnOkAndNeverWritten) {
  script
      .Then([](HWND dialog) {
        ShowEncryptionPage(dialog);
        Click(dialog, kIdEncryptPassword);
        EXPECT_FALSE(Checked(dialog, kIdEncryptOff));
        EXPECT_TRUE(Checked(dialog, kIdEncryptPassword));
        EXPECT_TRUE(EncryptionControlEnabled(dialog, kIdChangePassword));
        Click(dialog, IDOK);
      })
      .Then(EnterNewPassword(u"Geheimnis \u2602 \u5BC6"));
  EXPECT_TRUE(Execute());
  EXPECT_EQ(StoredMode(), kEncryptClipsPassword);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->mode, kEncryptClipsPassword);
  ASSERT_TRUE(change->password);
  EXPECT_EQ(change->password->View(), u"Geheimnis \u2602 \u5BC6");
  EXPECT_EQ(FileText().find("Geheimnis"), std::string::npos);
}

TEST_F(FormSettingsEncryptionTest, ChangePasswordReplacesTheStoredPasswordButCancelDropsIt) {
  settings.SetInt(kPrivacySection, kEncryptClips, kEncryptClipsPassword);
  script
      .Then([](HWND dialog) {
        ShowEncryptionPage(dialog);
        EXPECT_TRUE(Checked(dialog, kIdEncryptPassword));
        EXPECT_TRUE(EncryptionControlEnabled(dialog, kIdChangePassword));
        Click(dialog, kIdChangePassword);
        Click(dialog, IDOK);
      })
      .Then(EnterNewPassword(u"second"));
  EXPECT_TRUE(Execute());
  ASSERT_TRUE(change && change->password);
  EXPECT_EQ(change->mode, kEncryptClipsPassword);
  EXPECT_EQ(change->password->View(), u"second");

  script
      .Then([](HWND dialog) {
        ShowEncryptionPage(dialog);
        Click(dialog, kIdChangePassword);
        Click(dialog, IDCANCEL);
      })
      .Then(EnterNewPassword(u"third"));
  EXPECT_FALSE(Execute());
  EXPECT_FALSE(change);
  EXPECT_EQ(StoredMode(), kEncryptClipsPassword);
}

TEST_F(FormSettingsEncryptionTest, LeavingThePasswordModeAsksNothingAndHandsOverTheNewMode) {
  settings.SetInt(kPrivacySection, kEncryptClips, kEncryptClipsPassword);
  script.Then([](HWND dialog) {
    ShowEncryptionPage(dialog);
    Click(dialog, kIdEncryptAccount);
    EXPECT_TRUE(Checked(dialog, kIdEncryptAccount));
    EXPECT_FALSE(Checked(dialog, kIdEncryptPassword));
    EXPECT_FALSE(EncryptionControlEnabled(dialog, kIdChangePassword));
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(StoredMode(), kEncryptClipsAccount);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->mode, kEncryptClipsAccount);
  EXPECT_FALSE(change->password);
}

// With the keyboard alone: the arrows move the choice; Esc in the password dialog leaves the
// choice where it was, and the focus that comes back to the page asks nothing again.
TEST_F(FormSettingsEncryptionTest, TheArrowKeysChooseAndEscapeInThePasswordDialogKeepsTheChoice) {
  script
      .Then([](HWND dialog) {
        ShowInFront(dialog);
        ShowEncryptionPage(dialog);
        SetFocus(Control(dialog, kIdEncryptOff));
        PressKey(dialog, VK_DOWN);
        EXPECT_TRUE(Checked(dialog, kIdEncryptAccount));
        EXPECT_EQ(GetFocus(), Control(dialog, kIdEncryptAccount));
        PressKey(dialog, VK_DOWN);  // the next step runs in the password dialog
        EXPECT_TRUE(Checked(dialog, kIdEncryptAccount));
        EXPECT_FALSE(Checked(dialog, kIdEncryptPassword));
        EXPECT_EQ(GetFocus(), Control(dialog, kIdEncryptAccount));
        PressKey(dialog, VK_RETURN);
      })
      .Then([](HWND passwordDialog) {
        ShowInFront(passwordDialog);
        TypeText(passwordDialog, u"abc");
        PressKey(passwordDialog, VK_ESCAPE);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(StoredMode(), kEncryptClipsAccount);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->mode, kEncryptClipsAccount);
}

TEST_F(FormSettingsEncryptionTest, OnAMonitorOf144DpiTheGroupStaysOnThePage) {
  for (const bool portable : {false, true}) {
    script.Then([](HWND dialog) {
      RECT suggested{40, 30, 40 + 600, 30 + 650};
      SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&suggested));
      ShowEncryptionPage(dialog);
      ExpectEncryptionGroupOnPage(dialog);
      Click(dialog, IDOK);
    });
    EXPECT_TRUE(Execute(portable));
  }
}

}  // namespace
