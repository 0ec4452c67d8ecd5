// The two password dialogs for real, under Wine: shown, typed into with the keyboard alone
// (keys sent as a user's would be, handled the way the dialog's own loop handles them), and
// ended with Enter or Esc.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialogs/win32/new_password_form.h"
#include "dialogs/win32/unlock_form.h"
#include "tests/dialogs/dialog_script.h"

namespace {

bool OkEnabled(HWND dialog) {
  return IsWindowEnabled(Control(dialog, IDOK)) != FALSE;
}

// Ended by the dialog manager: EndDialog hides the dialog at once; it goes once the step
// returns to the dialog's loop.
bool Ended(HWND dialog) {
  return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

RECT ScreenRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool HasLine(HWND dialog, const wchar_t* text) {
  return FindWindowExW(dialog, nullptr, L"STATIC", text) != nullptr;
}

TEST(NewPasswordFormTest, KeysTypedReachBothEditsAndOnlyEqualEntriesLetEnterConfirm) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    ShowInFront(dialog);
    EXPECT_TRUE(HasLine(dialog, kNewPasswordWarning));
    EXPECT_EQ(GetFocus(), Control(dialog, kIdNewPassword));
    EXPECT_NE(GetWindowLongPtrW(Control(dialog, kIdNewPassword), GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_FALSE(OkEnabled(dialog));
    TypeText(dialog, u"Пароль 密码");
    EXPECT_EQ(Text(Control(dialog, kIdNewPassword)), u"Пароль 密码");
    PressKey(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), Control(dialog, kIdRepeatPassword));
    TypeText(dialog, u"Пароль 密");
    EXPECT_EQ(Text(Control(dialog, kIdRepeatPassword)), u"Пароль 密");
    // Unequal: OK stays disabled and Enter does not end the dialog.
    EXPECT_FALSE(OkEnabled(dialog));
    PressKey(dialog, VK_RETURN);
    EXPECT_FALSE(Ended(dialog));
    // Nor does the IDOK that a dialog manager may send for Enter whatever the button's state.
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(Ended(dialog));
    TypeText(dialog, u"码");
    EXPECT_TRUE(OkEnabled(dialog));
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(Ended(dialog));
  });
  const std::optional<CSecretText> password = AskNewPassword(nullptr);
  ASSERT_TRUE(password);
  EXPECT_EQ(password->View(), u"Пароль 密码");
  EXPECT_EQ(script.Pending(), 0u);
}

TEST(NewPasswordFormTest, EscapeCancelsWhatWasTypedAndEmptyEntriesNeverEnableOk) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    ShowInFront(dialog);
    TypeText(dialog, u"x");
    PressKey(dialog, VK_BACK);
    EXPECT_EQ(Text(Control(dialog, kIdNewPassword)), u"");
    EXPECT_FALSE(OkEnabled(dialog));  // both empty, and so equal
    SetText(Control(dialog, kIdNewPassword), u"same");
    SetText(Control(dialog, kIdRepeatPassword), u"same");
    EXPECT_TRUE(OkEnabled(dialog));
    PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(Ended(dialog));
  });
  EXPECT_FALSE(AskNewPassword(nullptr));
  EXPECT_EQ(script.Pending(), 0u);
}

TEST(UnlockFormTest, TheFirstAskSaysTheClipsAreLockedAndEnterGivesThePasswordTyped) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    ShowInFront(dialog);
    EXPECT_EQ(Text(dialog), u"Quillery's clips are locked");
    EXPECT_EQ(Control(dialog, kIdWrongPassword), nullptr);
    EXPECT_EQ(GetFocus(), Control(dialog, kIdUnlockPassword));
    EXPECT_FALSE(OkEnabled(dialog));
    PressKey(dialog, VK_RETURN);  // nothing typed yet
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(Ended(dialog));
    TypeText(dialog, u"κλειδί 🔑");
    EXPECT_TRUE(OkEnabled(dialog));
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(Ended(dialog));
  });
  const std::optional<CSecretText> password = AskUnlockPassword(nullptr, false);
  ASSERT_TRUE(password);
  EXPECT_EQ(password->View(), u"κλειδί 🔑");
  EXPECT_EQ(script.Pending(), 0u);
}

TEST(UnlockFormTest, AfterAWrongPasswordItSaysSoAndEscapeGivesNothing) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    ShowInFront(dialog);
    HWND wrong = Control(dialog, kIdWrongPassword);
    ASSERT_NE(wrong, nullptr);
    EXPECT_EQ(Text(wrong), u"That password does not open the clips. Try again.");
    // The line stands above the edit, inside the dialog.
    EXPECT_LE(ScreenRectOf(wrong).bottom, ScreenRectOf(Control(dialog, kIdUnlockPassword)).top);
    RECT client{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_LE(ScreenRectOf(Control(dialog, IDCANCEL)).bottom, client.bottom);
    TypeText(dialog, u"guess");
    PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(Ended(dialog));
  });
  EXPECT_FALSE(AskUnlockPassword(nullptr, true));
  EXPECT_EQ(script.Pending(), 0u);
}

}  // namespace
