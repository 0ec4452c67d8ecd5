#pragma once
// The password edits of the password dialogs (ES_PASSWORD): their text read into a
// CSecretText, and their text overwritten before the dialog goes, so that the edit's own
// buffer and undo copy do not keep the password after use.

#include "dialogs/secret_text.h"
#include "platform/win32/gdi.h"

// The style of a password edit: the dialog adds it with WC_EDITW and WS_EX_CLIENTEDGE.
inline constexpr DWORD kPasswordEditStyle = WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL;

// The edit's text, any script, exactly as typed.
CSecretText ReadPasswordEdit(HWND edit);
// Overwrites the edit's text in place, then empties it and its undo buffer.
void ClearPasswordEdit(HWND edit);
