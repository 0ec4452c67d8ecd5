#include "app/shell/win32/hot_key_form.h"

#include <cstdint>

#include "app/shell/hot_key_rules.h"
#include "dialogs/win32/common_controls.h"
#include "dialogs/hot_key_value.h"
#include "platform/win32/modal_dialog.h"

namespace {

// "HotKey": the hot-key control with OK and Cancel. Design values at 96 dots per inch.
class THotKeyForm final : public CModalDialog {
 public:
  explicit THotKeyForm(KeyCombination current) : value_(current) {
    SetForm(L"HotKey", 169, 77, L"Arial", -13);
  }

  KeyCombination Value() const { return value_; }

 protected:
  bool OnInit() override {
    HWND hotKey = AddControl(HOTKEY_CLASSW, {}, WS_TABSTOP, 8, 8, 155, 25, kIdHotKeyFormHotKey);
    SendMessageW(hotKey, HKM_SETRULES, kHotKeyFormInvalidCombinations,
                 MAKELPARAM(kHotKeyFormReplacementModifiers, 0));
    SendMessageW(hotKey, HKM_SETHOTKEY, HotKeyControlValueFromKeyCombination(value_), 0);
    AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 8, 44, 75, 25, IDOK);
    AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 88, 44, 75, 25, IDCANCEL);
    SetFocus(hotKey);
    return true;
  }

  bool OnOk() override {
    value_ = KeyCombinationFromHotKeyControl(
        static_cast<std::uint16_t>(SendMessageW(Item(kIdHotKeyFormHotKey), HKM_GETHOTKEY, 0, 0)));
    return true;
  }

 private:
  KeyCombination value_;
};

}  // namespace

std::optional<KeyCombination> RunHotKeyForm(HWND owner, KeyCombination current) {
  EnsureCommonControls();
  THotKeyForm form(current);
  const bool confirmed = form.Run(owner) == IDOK;
  return HotKeyFormResult(confirmed, form.Value());
}
