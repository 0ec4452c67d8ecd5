// TClipboardViewerForm: the clips' encryption. Before the first load the files' keys are got
// (through the Windows account, or from the password the user types), and the key of later
// saves chosen; a protection chosen in the settings has the files written anew at once.

#include <exception>
#include <string>
#include <utility>

#include "app/window/win32/clipboard_viewer_form.h"
#include "dialogs/win32/unlock_form.h"
#include "foundation/error_box.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_reader.h"

namespace {

std::filesystem::path JournalBeside(const std::filesystem::path& dataFile) {
  std::filesystem::path journal = dataFile;
  journal += ".journal";
  return journal;
}

EEncryption ChosenEncryption(const Settings::CSettingsStorage& settings) {
  return static_cast<EEncryption>(
      Settings::ReadSettingInRange(settings, Settings::kEncryptClipsSetting));
}

}  // namespace

CStoreKeys TClipboardViewerForm::UnlockDataFiles() {
  CStoreKeys keys = UnlockStore(
      dataKeeper_.DataFile(), JournalBeside(dataKeeper_.DataFile()),
      [this](bool afterWrongPassword) { return AskUnlockPassword(Handle(), afterWrongPassword); });
  const EEncryption chosen = ChosenEncryption(*settings_);
  std::optional<std::u16string> notice;
  if (!keys.locked) dataKeeper_.UseSaveKey(StartingSaveKey(keys, chosen, &notice));
  // The setting says how the clips are kept: encrypted files stay so until the user turns
  // encryption off, whatever an ini from elsewhere says.
  if (keys.found != EEncryption::kOff && keys.found != chosen) {
    settings_->SetInt(Settings::kPrivacySection, Settings::kEncryptClips,
                      static_cast<int>(keys.found));
  }
  if (notice) keys.notice = keys.notice ? *keys.notice + u"\n\n" + *notice : *notice;
  return keys;
}

void TClipboardViewerForm::ApplyEncryptionChange(CEncryptionChange change) {
  if (dataKeeper_.Locked()) {
    ShowErrorBox(
        "Quillery's clips are locked in this session, so their protection cannot change now. "
        "Start Quillery again and unlock them first.");
    return;
  }
  const auto mode = static_cast<EEncryption>(change.mode);
  try {
    // A password's key takes a moment to derive.
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    std::shared_ptr<const CStoreKey> key =
        NewSaveKey(mode, change.password ? &*change.password : nullptr);
    SetCursor(previous);
    dataKeeper_.ChangeSaveKey(std::move(key));
  } catch (const std::exception& error) {
    // The clips stay as they were kept, and so does the setting.
    const int kept = dataKeeper_.SaveKey() ? static_cast<int>(dataKeeper_.SaveKey()->Mode()) : 0;
    settings_->SetInt(Settings::kPrivacySection, Settings::kEncryptClips, kept);
    ShowErrorBox(std::string("Your clips' protection could not be changed: ") + error.what());
  }
}
