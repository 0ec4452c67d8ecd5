#include "dialogs/win32/form_settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/win32/common_controls.h"
#include "foundation/data_paths.h"
#include "foundation/error_box.h"
#include "foundation/logon_start.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"

namespace {

// Design values at 96 dots per inch. Positions on a page are relative to the
// page; those "in" a group box are relative to the box and get its place added.
constexpr int kGroupPopupLeft = 16, kGroupPopupTop = 16;  // GroupBox2
constexpr int kGroupSizeLeft = 16, kGroupSizeTop = 16;    // GroupBox1
constexpr int kPauseTop = 137;                            // "Pause capture"
constexpr int kListTop = kPauseTop + 32;                  // "Show list"
constexpr int kQuickPasteTop = kListTop + 32;             // RGQuickPasteMode

constexpr const wchar_t* kPageCaptions[] = {L"Hotkeys", L"Clipboard", L"Custom categories",
                                            L"Privacy"};
constexpr std::array<int, CSettingsPages::kCount> kPageIds = {kIdPageHotkeys, kIdPageClipboard,
                                                              kIdPageCategories, kIdPagePrivacy};

int SpinPosition(HWND spin) {
  BOOL failed = FALSE;
  return static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

bool IsChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TFormSettings::TFormSettings(HWND owner, CClipboardHandler& handler,
                             Settings::CSettingsStorage& settings)
    : owner_(owner), handler_(handler), settings_(settings), portable_(IsPortableCopy()) {
  SetForm(L"Settings", 393, 539, L"Arial", -13);
}

TFormSettings::~TFormSettings() = default;

bool TFormSettings::ExecuteSettings(HIMAGELIST categoryIcons) {
  EnsureCommonControls();
  categoryIcons_ = categoryIcons;
  skin_ = &settings_.GetSkin();
  values_ = LoadSettingsFormValues(settings_);
  encryption_.emplace(values_.encryptClips);
  encryptionChange_.reset();
  const CLogonStart logonStart = CLogonStart::ForRunningProgram();
  startWithWindowsShown_ = startWithWindows_ = logonStart.IsOn();

  const INT_PTR result = Run(owner_);

  categories_.Close();
  if (result == IDOK) encryptionChange_ = encryption_->TakeChange();
  // A password set and then cancelled goes (wiped) with the choice.
  encryption_.reset();
  if (result != IDOK) return false;
  Settings::CSettingsStorage& store = settings_;
  const std::vector<std::string> unsaved = SaveSettingsFormValues(store, values_);
  if (!unsaved.empty()) {
    // This says all the run's notice would: the user is not told twice.
    store.TakeUnsavedNotice();
    const std::u8string file = store.FileName().u8string();
    ShowErrorBox(UnsavedSettingsMessage(unsaved, std::string(file.begin(), file.end())));
  }
  // Only a change is written: an untouched box leaves a value that starts another copy.
  if (startWithWindows_ != startWithWindowsShown_ && !logonStart.Set(startWithWindows_)) {
    ShowErrorBox(
        "Quillery could not change whether it starts with Windows: the registry "
        "refused the change.");
  }
  return true;
}

// ---- Building the dialog ----

bool TFormSettings::OnInit() {
  categories_.Open(Handle(), handler_, *skin_, categoryIcons_, Dpi());

  HWND tab =
      AddControl(WC_TABCONTROLW, {}, WS_TABSTOP | WS_CLIPSIBLINGS, 8, 8, 377, 491, kIdPageControl);
  for (int i = 0; i < CSettingsPages::kCount; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
    SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  pages_.Make(Handle(), tab, kPageIds, *this);
  MakeHotkeysPage(pages_.Page(0));
  MakeClipboardPage(pages_.Page(1));
  MakeCategoriesPage(pages_.Page(2));
  MakePrivacyPage(pages_.Page(3));

  AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 224, 506, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 304, 506, 75, 25, IDCANCEL);

  LoadControls();
  categories_.Refresh();
  pages_.Show(0);
  return false;  // the dialog manager focuses the first control of the first page
}

void TFormSettings::OnDpiChanged() {
  pages_.PlaceAll();
  categories_.OnDpiChanged(Dpi());
}

bool TFormSettings::OnPageCommand(int id, int code, HWND control) {
  return OnCommand(id, code, control);
}

LRESULT TFormSettings::OnPageNotify(NMHDR* header, bool& handled) {
  return OnNotify(header, handled);
}

HWND TFormSettings::AddSpin(HWND page, int editId, int spinId, int x, int y, SpinRange range,
                            int position, int width) {
  HWND edit = AddControlTo(page, WC_EDITW, {}, WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, x, y, width,
                           24, editId, WS_EX_CLIENTEDGE);
  // Placed at the edit's right edge, the edit narrowed to make room, as the spin's style says.
  HWND spin = AddControlTo(
      page, UPDOWN_CLASSW, {},
      UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK, 0, 0, 0, 0,
      spinId);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(spin, UDM_SETRANGE32, range.min, range.max);
  SendMessageW(spin, UDM_SETPOS32, 0, position);
  return edit;
}

void TFormSettings::MakeHotkeysPage(HWND page) {
  const int gx = kGroupPopupLeft;
  const int gy = kGroupPopupTop;
  AddControlTo(page, L"BUTTON", L"Popup window", BS_GROUPBOX, gx, gy, 337, 113, -1);
  AddControlTo(page, L"STATIC", L"Primary", SS_LEFT, gx + 24, gy + 32, 140, 16, -1);
  HWND primary = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              gx + 176, gy + 29, 147, 150, kIdPriHotKey);
  for (const wchar_t* item :
       {L"None", L"Shift + Mouse click", L"Ctrl + Mouse click", L"Alt + Mouse click"}) {
    SendMessageW(primary, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  AddControlTo(page, L"STATIC", L"Secondary", SS_LEFT, gx + 24, gy + 72, 140, 16, -1);
  HWND secondary = AddControlTo(page, HOTKEY_CLASSW, {}, WS_TABSTOP, gx + 176, gy + 70, 147, 24,
                                kIdSecondaryHotKey);
  SendMessageW(secondary, HKM_SETRULES, kSecondaryHotKeyInvalidCombinations,
               MAKELPARAM(kSecondaryHotKeyReplacementModifiers, 0));

  // The hot key that pauses capture takes the keys the secondary one takes.
  AddControlTo(page, L"STATIC", L"Pause capture", SS_LEFT, 16 + 8, kPauseTop + 4, 140, 16, -1);
  HWND pause = AddControlTo(page, HOTKEY_CLASSW, {}, WS_TABSTOP, gx + 176, kPauseTop, 147, 24,
                            kIdPauseHotKey);
  SendMessageW(pause, HKM_SETRULES, kSecondaryHotKeyInvalidCombinations,
               MAKELPARAM(kSecondaryHotKeyReplacementModifiers, 0));
  // So does the one that gives the docked list the keyboard.
  AddControlTo(page, L"STATIC", L"Show list", SS_LEFT, 16 + 8, kListTop + 4, 140, 16, -1);
  HWND list =
      AddControlTo(page, HOTKEY_CLASSW, {}, WS_TABSTOP, gx + 176, kListTop, 147, 24, kIdListHotKey);
  SendMessageW(list, HKM_SETRULES, kSecondaryHotKeyInvalidCombinations,
               MAKELPARAM(kSecondaryHotKeyReplacementModifiers, 0));

  // RGQuickPasteMode: a group box holding three radio buttons, spread over its height. It
  // stands below the pause hot key, leaving room for the paste method below it.
  const int quickTop = kQuickPasteTop;
  AddControlTo(page, L"BUTTON", L"Quick paste", BS_GROUPBOX, 16, quickTop, 337, 121, -1);
  const wchar_t* modes[] = {L"None", L"Ctrl+Number - clipboard. Alt+Number - notes",
                            L"Alt+Number - clipboard. Ctrl+Number - notes"};
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    AddControlTo(page, L"BUTTON", modes[i], BS_AUTORADIOBUTTON | first, 16 + 10,
                 quickTop + 20 + i * 32, 317, 24, modeIds[i]);
  }

  // CBPasteMethod: how quick paste, the clips' hot keys and the popup paste.
  const int pasteTop = quickTop + 121 + 8;
  // Its longest item ("Paste message (WM_PASTE)") needs more room than the hot keys' column
  // gives: the list starts right after its label and ends with the hot-key controls.
  AddControlTo(page, L"STATIC", L"Paste with", SS_LEFT, 16 + 8, pasteTop + 3, 76, 16, -1);
  HWND method = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             104, pasteTop, gx + 176 + 147 - 104, 150, kIdPasteMethod);
  for (const char16_t* item : kPasteMethodItems) {
    SendMessageW(method, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
}

void TFormSettings::MakeClipboardPage(HWND page) {
  const int gx = kGroupSizeLeft;
  const int gy = kGroupSizeTop;
  AddControlTo(page, L"BUTTON", L"Popup window size", BS_GROUPBOX, gx, gy, 337, 73, -1);
  AddControlTo(page, L"STATIC", L"Width", SS_LEFT, gx + 16, gy + 32, 60, 16, -1);
  AddSpin(page, kIdWidth, kIdWidthSpin, gx + 80, gy + 29, kWidthSpinRange, values_.windowWidth);
  AddControlTo(page, L"STATIC", L"Height", SS_LEFT, gx + 184, gy + 32, 60, 16, -1);
  AddSpin(page, kIdHeight, kIdHeightSpin, gx + 249, gy + 29, kHeightSpinRange,
          values_.windowHeight);

  MakeCapacityField(page);
  AddControlTo(page, L"BUTTON", L"Show clipboard monitor", WS_TABSTOP | BS_AUTOCHECKBOX, 32, 166,
               306, 17, kIdShowMonitor);
  AddControlTo(page, L"STATIC", L"Monitor transparency", SS_LEFT, 32, 208, 220, 16, -1);
  AddSpin(page, kIdTransparency, kIdTransparencySpin, 265, 205, kTransparencySpinRange,
          values_.transparency);
  AddControlTo(page, L"BUTTON", L"Start with Windows", WS_TABSTOP | BS_AUTOCHECKBOX, 32, 246, 306,
               17, kIdStartWithWindows);
  AddControlTo(page, L"STATIC", L"Theme", SS_LEFT, 32, 288, 120, 16, -1);
  HWND theme = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 197,
                            285, 141, 120, kIdTheme);
  for (const char16_t* item : kThemeItems) {
    SendMessageW(theme, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
}

void TFormSettings::MakeCategoriesPage(HWND page) {
  HWND tree = AddControlTo(page, WC_TREEVIEWW, {},
                           WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND | TVS_NOTOOLTIPS |
                               TVS_DISABLEDRAGDROP | TVS_HASBUTTONS,
                           17, 24, 232, 249, kIdCategoriesTree, WS_EX_CLIENTEDGE);
  categories_.AttachTree(tree);

  AddControlTo(page, L"BUTTON", L"Add", WS_TABSTOP, 264, 24, 94, 25, kIdAddCategory);
  AddControlTo(page, L"BUTTON", L"Add child", WS_TABSTOP, 264, 56, 94, 25, kIdAddChildCategory);
  AddControlTo(page, L"BUTTON", L"Edit", WS_TABSTOP, 264, 88, 94, 25, kIdEditCategory);
  AddControlTo(page, L"BUTTON", L"Delete", WS_TABSTOP, 264, 120, 94, 25, kIdDeleteCategory);
}

// ---- Settings: loaded into the controls, read back on OK ----

void TFormSettings::LoadControls() {
  HWND dialog = Handle();
  SendMessageW(FindDialogControl(dialog, kIdSecondaryHotKey), HKM_SETHOTKEY,
               HotKeyControlValueFromKeyCombination(values_.secondaryHotKey), 0);
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    SendMessageW(FindDialogControl(dialog, modeIds[i]), BM_SETCHECK,
                 i == values_.quickPasteMode ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  SendMessageW(FindDialogControl(dialog, kIdShowMonitor), BM_SETCHECK,
               values_.showMonitor ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(FindDialogControl(dialog, kIdPriHotKey), CB_SETCURSEL, values_.primaryHotKeyItem, 0);
  SendMessageW(FindDialogControl(dialog, kIdStartWithWindows), BM_SETCHECK,
               startWithWindows_ ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(FindDialogControl(dialog, kIdPasteMethod), CB_SETCURSEL, values_.pasteMethod, 0);
  SendMessageW(FindDialogControl(dialog, kIdTheme), CB_SETCURSEL, values_.theme, 0);
  SendMessageW(FindDialogControl(dialog, kIdPauseHotKey), HKM_SETHOTKEY,
               HotKeyControlValueFromKeyCombination(values_.pauseHotKey), 0);
  SendMessageW(FindDialogControl(dialog, kIdListHotKey), HKM_SETHOTKEY,
               HotKeyControlValueFromKeyCombination(values_.listHotKey), 0);
  UpdateTransparencyEnabling();
  LoadPrivacyControls();
}

void TFormSettings::UpdateTransparencyEnabling() {
  const bool enabled = TransparencyEnabled(IsChecked(FindDialogControl(Handle(), kIdShowMonitor)));
  EnableWindow(FindDialogControl(Handle(), kIdTransparency), enabled);
  EnableWindow(FindDialogControl(Handle(), kIdTransparencySpin), enabled);
}

bool TFormSettings::OnOk() {
  if (!CapacityTaken()) return false;
  HWND dialog = Handle();
  values_.windowWidth = SpinPosition(FindDialogControl(dialog, kIdWidthSpin));
  values_.windowHeight = SpinPosition(FindDialogControl(dialog, kIdHeightSpin));
  values_.secondaryHotKey = KeyCombinationFromHotKeyControl(static_cast<std::uint16_t>(
      SendMessageW(FindDialogControl(dialog, kIdSecondaryHotKey), HKM_GETHOTKEY, 0, 0)));
  values_.quickPasteMode = 0;
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    if (IsChecked(FindDialogControl(dialog, modeIds[i]))) values_.quickPasteMode = i;
  }
  values_.capacity = SpinPosition(FindDialogControl(dialog, kIdCapacitySpin));
  values_.showMonitor = IsChecked(FindDialogControl(dialog, kIdShowMonitor));
  values_.transparency = SpinPosition(FindDialogControl(dialog, kIdTransparencySpin));
  const LRESULT primary = SendMessageW(FindDialogControl(dialog, kIdPriHotKey), CB_GETCURSEL, 0, 0);
  values_.primaryHotKeyItem = primary == CB_ERR ? kPrimaryNone : static_cast<int>(primary);
  startWithWindows_ = IsChecked(FindDialogControl(dialog, kIdStartWithWindows));
  const LRESULT method =
      SendMessageW(FindDialogControl(dialog, kIdPasteMethod), CB_GETCURSEL, 0, 0);
  values_.pasteMethod = method == CB_ERR ? Settings::kPasteMethodDefault : static_cast<int>(method);
  const LRESULT theme = SendMessageW(FindDialogControl(dialog, kIdTheme), CB_GETCURSEL, 0, 0);
  values_.theme = theme == CB_ERR ? Settings::kThemeFollowSystem : static_cast<int>(theme);
  values_.pauseHotKey = KeyCombinationFromHotKeyControl(static_cast<std::uint16_t>(
      SendMessageW(FindDialogControl(dialog, kIdPauseHotKey), HKM_GETHOTKEY, 0, 0)));
  values_.listHotKey = KeyCombinationFromHotKeyControl(static_cast<std::uint16_t>(
      SendMessageW(FindDialogControl(dialog, kIdListHotKey), HKM_GETHOTKEY, 0, 0)));
  ReadPrivacyControls();
  return true;
}

bool TFormSettings::OnCommand(int id, int code, HWND control) {
  if (id == kIdCapacity && code == EN_CHANGE) {
    UpdateCapacityNote();
    return true;
  }
  if (code == BN_CLICKED) {
    switch (id) {
      case kIdShowMonitor:
        UpdateTransparencyEnabling();
        return true;
      case kIdAddCategory:
        categories_.BtAddClick();
        return true;
      case kIdAddChildCategory:
        categories_.BtAddChildClick();
        return true;
      case kIdEditCategory:
        categories_.BtEditClick();
        return true;
      case kIdDeleteCategory:
        categories_.BtDeleteClick();
        return true;
      case kIdForgetOn:
        UpdateForgetEnabling();
        return true;
      case kIdAddProgram:
        AddProgramClick();
        return true;
      case kIdRemoveProgram:
        RemoveProgramClick();
        return true;
      case kIdEncryptOff:
        EncryptionModeClick(Settings::kEncryptClipsOff);
        return true;
      case kIdEncryptAccount:
        EncryptionModeClick(Settings::kEncryptClipsAccount);
        return true;
      case kIdEncryptPassword:
        EncryptionModeClick(Settings::kEncryptClipsPassword);
        return true;
      case kIdChangePassword:
        ChangePasswordClick();
        return true;
      default:
        break;
    }
  }
  return CModalDialog::OnCommand(id, code, control);
}

LRESULT TFormSettings::OnNotify(NMHDR* header, bool& handled) {
  handled = false;
  if (header->idFrom == kIdPageControl && header->code == TCN_SELCHANGE) {
    pages_.Show(TabCtrl_GetCurSel(header->hwndFrom));
    handled = true;
    return 0;
  }
  return 0;
}
