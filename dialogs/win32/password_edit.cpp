#include "dialogs/win32/password_edit.h"

#include <string>

CSecretText ReadPasswordEdit(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  if (length <= 0) return {};
  CSecretText text(static_cast<std::size_t>(length));
  const int copied = GetWindowTextW(edit, AsWide(text.Data()), length + 1);
  text.Truncate(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void ClearPasswordEdit(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  if (length > 0) {
    // A replacement of the same length is written over the old characters where they are;
    // setting an empty text would only free them.
    const std::wstring filler(static_cast<std::size_t>(length), L'*');
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(filler.c_str()));
  }
  SetWindowTextW(edit, L"");
  SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
}
