#pragma once
// THotKeyForm: the hot key dialog, "HotKey", a hot-key control with OK and Cancel.

#include <optional>

#include "foundation/key_combination.h"
#include "platform/windows_api.h"

// The id of the dialog's hot-key control (GetDlgItem), for the tests that drive it.
inline constexpr int kIdHotKeyFormHotKey = 401;

// Shows the dialog modally, owned by `owner`, with the control set to `current` (0 for no
// hot key). The chosen combination on OK (0 when the control was left empty: no hot key);
// nullopt on Cancel or when the dialog could not be shown.
std::optional<KeyCombination> RunHotKeyForm(HWND owner, KeyCombination current);
