// The settings dialog's "Privacy" page and the pause hot key for real, under Wine: opened,
// driven through their controls, closed with OK or Cancel; then the settings file is checked.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "categories/clipboard_handler.h"
#include "dialogs/privacy_page_rules.h"
#include "dialogs/win32/add_program_form.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/form_settings.h"
#include "dialogs/win32/running_programs.h"
#include "foundation/program_list.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Settings;
using ProgramNames = std::vector<std::u16string>;

void ShowPrivacyPage(HWND dialog) {
  HWND tab = Control(dialog, kIdPageControl);
  TabCtrl_SetCurSel(tab, 3);
  NMHDR header{tab, static_cast<UINT_PTR>(kIdPageControl), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, kIdPageControl, reinterpret_cast<LPARAM>(&header));
}

ProgramNames ListedPrograms(HWND dialog) {
  HWND list = Control(dialog, kIdExcludedPrograms);
  ProgramNames names;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::u16string name(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), u'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name.data()));
    names.push_back(name);
  }
  return names;
}

bool PrivacyControlEnabled(HWND dialog, int id) {
  return IsWindowEnabled(Control(dialog, id)) != FALSE;
}

RECT PrivacyScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

class FormSettingsPrivacyTest : public ::testing::Test {
 protected:
  ~FormSettingsPrivacyTest() override {
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
    ReleaseSettings();
  }

  bool Execute() {
    TFormSettings form(nullptr, handler, settings);
    return form.ExecuteSettings(icons.get());
  }

  int Stored(std::string_view key) const { return settings.GetInt(kPrivacySection, key, -12345); }

  CTempFolder folder;
  CSettingsStorage settings{folder.Path() / "quillery.ini", true};
  CClipboardHandler handler;
  UniqueImageList icons = LoadCategoriesIcons();
  CDialogScript script;
};

TEST_F(FormSettingsPrivacyTest, OpensOnTheDefaultsWhichOkStoresLeavingTheListAbsent) {
  script.Then([](HWND dialog) {
    ShowPrivacyPage(dialog);
    // Shown by its own style: the driver runs before the dialog itself first shows.
    EXPECT_NE(GetWindowLongPtrW(Control(dialog, kIdPagePrivacy), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(ListedPrograms(dialog), ParseProgramList(kDefaultExcludedPrograms));
    EXPECT_FALSE(Checked(dialog, kIdForgetOn));
    EXPECT_FALSE(PrivacyControlEnabled(dialog, kIdForgetAmount));
    EXPECT_FALSE(PrivacyControlEnabled(dialog, kIdForgetUnit));
    EXPECT_FALSE(Checked(dialog, kIdKeepDuplicates));
    EXPECT_EQ(SendMessageW(Control(dialog, kIdPauseHotKey), HKM_GETHOTKEY, 0, 0), 0);
    // Every control fits its page.
    const RECT page = PrivacyScreenRect(Control(dialog, kIdPagePrivacy));
    for (int id : {kIdExcludedPrograms, kIdForgetUnit, kIdKeepDuplicates, kIdRemoveProgram}) {
      const RECT box = PrivacyScreenRect(Control(dialog, id));
      EXPECT_LE(box.bottom, page.bottom) << id;
      EXPECT_LE(box.right, page.right) << id;
    }
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_FALSE(settings.GetText(kPrivacySection, kExcludedPrograms));
  EXPECT_EQ(Stored(kForgetAfterHours), 0);
  EXPECT_EQ(Stored(kKeepDuplicates), 0);
  EXPECT_EQ(Stored(kPauseHotKeyValue), 0);
}

TEST_F(FormSettingsPrivacyTest, ANameTypedInAddAndARemovedRowAreStoredOnOk) {
  settings.SetText(kPrivacySection, kExcludedPrograms, u"A.exe;B.exe;C.exe");
  script
      .Then([](HWND dialog) {
        ShowPrivacyPage(dialog);
        Click(dialog, kIdAddProgram);
        EXPECT_EQ(ListedPrograms(dialog),
                  (ProgramNames{u"A.exe", u"B.exe", u"C.exe", u"Сейф.exe"}));
        HWND list = Control(dialog, kIdExcludedPrograms);
        SendMessageW(list, LB_SETSEL, FALSE, -1);
        SendMessageW(list, LB_SETSEL, TRUE, 0);
        SendMessageW(list, LB_SETSEL, TRUE, 2);
        Click(dialog, kIdRemoveProgram);
        EXPECT_EQ(ListedPrograms(dialog), (ProgramNames{u"B.exe", u"Сейф.exe"}));
        Click(dialog, IDOK);
      })
      .Then([](HWND choice) {
        EXPECT_EQ(Text(choice), u"Add program");
        SetText(Control(choice, kIdProgramName), u" D:\\Tools\\Сейф.exe ");
        Click(choice, IDOK);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(settings.GetText(kPrivacySection, kExcludedPrograms), u"B.exe;Сейф.exe");
  EXPECT_EQ(CSettingsStorage(folder.Path() / "quillery.ini", true)
                .GetText(kPrivacySection, kExcludedPrograms),
            u"B.exe;Сейф.exe");
}

TEST_F(FormSettingsPrivacyTest, AddingANameAlreadyListedOrNoNameAndCancelChangeNothing) {
  settings.SetText(kPrivacySection, kExcludedPrograms, u"A.exe");
  script
      .Then([](HWND dialog) {
        ShowPrivacyPage(dialog);
        Click(dialog, kIdAddProgram);
        Click(dialog, kIdAddProgram);
        EXPECT_EQ(ListedPrograms(dialog), ProgramNames{u"A.exe"});
        SendMessageW(Control(dialog, kIdExcludedPrograms), LB_SETSEL, TRUE, 0);
        Click(dialog, kIdRemoveProgram);
        EXPECT_EQ(ListedPrograms(dialog), ProgramNames{});
        Click(dialog, IDCANCEL);
      })
      .Then([](HWND choice) {
        SetText(Control(choice, kIdProgramName), u"a.EXE");
        Click(choice, IDOK);
      })
      .Then([](HWND choice) {
        SetText(Control(choice, kIdProgramName), u"Typed.exe");
        Click(choice, IDCANCEL);
      });
  EXPECT_FALSE(Execute());
  EXPECT_EQ(settings.GetText(kPrivacySection, kExcludedPrograms), u"A.exe");
}

TEST_F(FormSettingsPrivacyTest, AnEmptiedListIsStoredEmptyNotAsTheDefault) {
  script.Then([](HWND dialog) {
    ShowPrivacyPage(dialog);
    SendMessageW(Control(dialog, kIdExcludedPrograms), LB_SETSEL, TRUE, -1);
    Click(dialog, kIdRemoveProgram);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(settings.GetText(kPrivacySection, kExcludedPrograms), u"");
  EXPECT_EQ(ReadExcludedPrograms(settings), ProgramNames{});
}

TEST_F(FormSettingsPrivacyTest, TheAgeLimitShowsInDaysOrHoursAndIsStoredInHours) {
  settings.SetInt(kPrivacySection, kForgetAfterHours, 48);
  script
      .Then([](HWND dialog) {
        ShowPrivacyPage(dialog);
        EXPECT_TRUE(Checked(dialog, kIdForgetOn));
        EXPECT_TRUE(PrivacyControlEnabled(dialog, kIdForgetAmount));
        EXPECT_EQ(Text(Control(dialog, kIdForgetAmount)), u"2");
        EXPECT_EQ(Text(Control(dialog, kIdForgetUnit)), u"days");
        SendMessageW(Control(dialog, kIdForgetUnit), CB_SETCURSEL, kForgetUnitHours, 0);
        SetText(Control(dialog, kIdForgetAmount), u"36");
        Click(dialog, IDOK);
      })
      .Then([](HWND dialog) {
        EXPECT_EQ(Text(Control(dialog, kIdForgetAmount)), u"36");
        EXPECT_EQ(Text(Control(dialog, kIdForgetUnit)), u"hours");
        Click(dialog, kIdForgetOn);
        EXPECT_FALSE(PrivacyControlEnabled(dialog, kIdForgetAmount));
        Click(dialog, IDOK);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kForgetAfterHours), 36);
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kForgetAfterHours), 0);
}

TEST_F(FormSettingsPrivacyTest, KeepEveryCopyIsStoredAsOneAndShownChecked) {
  script
      .Then([](HWND dialog) {
        Click(dialog, kIdKeepDuplicates);
        Click(dialog, IDOK);
      })
      .Then([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, kIdKeepDuplicates));
        Click(dialog, IDCANCEL);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kKeepDuplicates), 1);
  EXPECT_FALSE(Execute());
}

TEST_F(FormSettingsPrivacyTest, ThePauseHotKeyIsShownAndStoredAsAKeyCombination) {
  settings.SetInt(kPrivacySection, kPauseHotKeyValue, 0xC050);  // Ctrl+Alt+P
  script
      .Then([](HWND dialog) {
        HWND pause = Control(dialog, kIdPauseHotKey);
        EXPECT_EQ(GetParent(pause), Control(dialog, kIdPageHotkeys));
        EXPECT_EQ(LOWORD(SendMessageW(pause, HKM_GETHOTKEY, 0, 0)), 0x0650);
        SendMessageW(pause, HKM_SETHOTKEY, 0x0351, 0);  // Shift+Ctrl+Q
        Click(dialog, IDOK);
      })
      .Then([](HWND dialog) {
        SendMessageW(Control(dialog, kIdPauseHotKey), HKM_SETHOTKEY, 0, 0);
        Click(dialog, IDOK);
      });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kPauseHotKeyValue), 0x6051);
  EXPECT_EQ(settings.GetInt(kPauseHotKeyValue, -1), -1);  // nothing in "Main"
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kPauseHotKeyValue), 0);
}

TEST_F(FormSettingsPrivacyTest, OnAMonitorOf144DpiThePrivacyPageIsScaled) {
  script.Then([](HWND dialog) {
    RECT suggested{40, 30, 40 + 600, 30 + 650};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT list = PrivacyScreenRect(Control(dialog, kIdExcludedPrograms));
    EXPECT_EQ(list.right - list.left, 348);  // 232 x 160 at 96
    EXPECT_EQ(list.bottom - list.top, 240);
    const RECT page = PrivacyScreenRect(Control(dialog, kIdPagePrivacy));
    EXPECT_LE(PrivacyScreenRect(Control(dialog, kIdKeepDuplicates)).bottom, page.bottom);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
}

// ---- The choice behind "Add..." ----

TEST(AddProgramFormTest, ChoosingARunningProgramPutsItsNameInTheEdit) {
  CDialogScript script;
  script.Then([](HWND choice) {
    HWND list = Control(choice, kIdRunningPrograms);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(choice, WM_COMMAND, MAKEWPARAM(kIdRunningPrograms, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(Text(Control(choice, kIdProgramName)), u"Zeta.exe");
    Click(choice, IDOK);
  });
  TAddProgramForm form(nullptr, {u"alpha.exe", u"Zeta.exe"});
  EXPECT_EQ(form.ExecuteChoice(), u"Zeta.exe");
  EXPECT_EQ(script.Pending(), 0u);
}

// A program of the system with a window of its own is found among the running programs.
TEST(RunningProgramsTest, AProgramWithAVisibleWindowIsListedByItsPath) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  wchar_t command[] = L"notepad.exe";
  ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  WaitForInputIdle(process.hProcess, 10000);
  bool found = false;
  for (int attempt = 0; attempt < 100 && !found; ++attempt) {
    for (const std::u16string& path : RunningProgramPaths()) {
      found = found || SameProgramName(ProgramFileName(path), u"notepad.exe");
    }
    if (!found) Sleep(100);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(found);
}

}  // namespace
