#pragma once
// TFormSettings: the settings dialog, "Settings", with four pages: the hot keys (the popup's
// two and the one that pauses capture) and the quick-paste mode; the popup window's size, the
// history capacity, the monitor and its transparency, and "Start with Windows" (the logon start,
// foundation/logon_start.h, which lives in the registry, not in the settings file); the user
// categories in a categories-only tree of their own with "Add", "Add child", "Edit" and
// "Delete"; and "Privacy": the programs whose copies are not captured, the age after which
// history clips are forgotten, whether every copy is kept and how the clips are encrypted.
// Settings are read when the dialog opens and written only on OK (settings_form_rules.h); category
// changes go to the model at once, whether the dialog then ends with OK or Cancel. A password set
// for the clips is never written: it is handed over in EncryptionChange.

#include <optional>
#include <string>

#include "dialogs/encryption_choice.h"
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

  // What the last ExecuteSettings that ended with OK asks of the clips (CEncryptionChoice::
  // TakeChange): none when the dialog was cancelled or the encryption was left as it was.
  // The caller rewrites the clips and may drop the password when done (it is wiped then).
  const std::optional<CEncryptionChange>& EncryptionChange() const { return encryptionChange_; }
  std::optional<CEncryptionChange>& EncryptionChange() { return encryptionChange_; }

  // Whether the copy is portable, which decides the modes offered; IsPortableCopy() unless
  // set before ExecuteSettings.
  void SetPortableCopy(bool portable) { portable_ = portable; }

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
  // The "Encryption" group (form_settings_encryption.cpp), at `top` on the privacy page.
  void MakeEncryptionGroup(HWND page, int top);
  void EncryptionModeClick(int mode);
  void ChangePasswordClick();
  void UpdateEncryptionControls();
  // An edit of `width` (the spin inside it) with a spin of `range` at `position`.
  HWND AddSpin(HWND page, int editId, int spinId, int x, int y, SpinRange range, int position,
               int width = 57);
  void MakeCapacityField(HWND page);
  // Says beside the capacity field whether what it holds is taken (CapacityFieldNote); the
  // note said, empty when none.
  std::u16string UpdateCapacityNote();
  // For OK: true when the field holds a capacity in range; otherwise shows its page with the
  // note and the keyboard in the field.
  bool CapacityTaken();
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
  bool portable_;
  std::optional<CEncryptionChoice> encryption_;  // while the dialog is open
  std::optional<CEncryptionChange> encryptionChange_;
  bool askingPassword_ = false;  // a click that comes back while the password is asked waits
  CSettingsPages pages_;
  CCategoriesPanel categories_;
};
