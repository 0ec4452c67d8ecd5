#pragma once
// TFormSettings: the settings dialog, "Settings", with four pages: the hot keys (the popup's
// two and the one that pauses capture) and the quick-paste mode; the popup window's size, the
// history capacity, the monitor and its transparency, and "Start with Windows" (the logon start,
// foundation/logon_start.h, which lives in the registry, not in the settings file); the user
// categories in a categories-only tree of their own with "Add", "Add child", "Edit" and
// "Delete"; and "Privacy": the programs whose copies are not captured, the age after which
// history clips are forgotten and whether every copy is kept. Settings are read when the dialog
// opens and written only on OK (settings_form_rules.h); category changes go to the model at once,
// whether the dialog then ends with OK or Cancel.

#include "dialogs/win32/categories_panel.h"
#include "dialogs/win32/form_settings_controls.h"
#include "dialogs/settings_form_rules.h"
#include "dialogs/win32/settings_pages.h"
#include "foundation/bitmap.h"
#include "platform/win32/modal_dialog.h"

class CClipboardHandler;

class TFormSettings final : public CModalDialog, private CSettingsPageHost {
 public:
  // `owner` owns the dialog while it is shown (may be null). `handler`, the category model,
  // and `settings`, the store the dialog reads and writes, are not owned and must outlive
  // the dialog.
  TFormSettings(HWND owner, CClipboardHandler& handler, Settings::CSettingsStorage& settings);
  ~TFormSettings() override;

  // Loads the settings into the controls, shows the dialog modally and, when it ends with
  // OK, writes them back and returns true (the caller then re-reads its settings); false
  // otherwise, with nothing written. Settings that cannot be written are named to the user
  // in an error box; they still hold for the run. `categoryIcons` (not owned) gives the
  // rows' icons and the category editor's grid.
  bool ExecuteSettings(HIMAGELIST categoryIcons);

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header, bool& handled) override;
  bool OnOk() override;
  void OnDpiChanged() override;

 private:
  bool OnPageCommand(int id, int code, HWND control) override;
  LRESULT OnPageNotify(NMHDR* header, bool& handled) override;
  void MakeHotkeysPage(HWND page);
  void MakeClipboardPage(HWND page);
  void MakeCategoriesPage(HWND page);
  // The "Privacy" page (form_settings_privacy.cpp).
  void MakePrivacyPage(HWND page);
  void LoadPrivacyControls();
  void ReadPrivacyControls();
  void FillExcludedPrograms(int selected);
  void AddProgramClick();
  void RemoveProgramClick();
  void UpdateForgetEnabling();
  HWND AddSpin(HWND page, int editId, int spinId, int x, int y, SpinRange range, int position);
  void LoadControls();
  void UpdateTransparencyEnabling();

  HWND owner_;
  CClipboardHandler& handler_;
  Settings::CSettingsStorage& settings_;
  HIMAGELIST categoryIcons_ = nullptr;  // as handed in, at the main window's dpi
  const TBitmap* skin_ = nullptr;
  CSettingsFormValues values_;
  // The logon start as the dialog opened on it, and as the check box left it.
  bool startWithWindowsShown_ = false;
  bool startWithWindows_ = false;
  CSettingsPages pages_;
  CCategoriesPanel categories_;
};
