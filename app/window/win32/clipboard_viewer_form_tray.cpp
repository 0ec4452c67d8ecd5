// TClipboardViewerForm: the tray icon's clicks and its menu, which is the header's menu with
// "Show list", so that a window the settings hide can still be reached with the mouse.

#include "app/window/win32/clipboard_viewer_form.h"

#include <string>

#include "app/window/win32/main_window_messages.h"

void TClipboardViewerForm::TrayIconClicked(ETrayClick click) {
  switch (TrayClickAction(click, state_->CurrentSettings().monitorVisible)) {
    case ETrayClickAction::kShowList:
      GiveListTheKeyboard();
      break;
    case ETrayClickAction::kToggleList:
      TrayIcon1DblClick();
      break;
    case ETrayClickAction::kNothing:
      break;
  }
}

void TClipboardViewerForm::ShowTrayMenu(POINT point) {
  const UniqueMenu menu(CreatePopupMenu());
  // The header menu's entries as they are now (checks and names included), with "Show list"
  // opening the part after the capture's own entries.
  const HMENU header = mainPopupMenu_.get();
  bool listEntryAdded = false;
  for (int index = 0; index < GetMenuItemCount(header); ++index) {
    wchar_t name[128] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    item.dwTypeData = name;
    item.cch = static_cast<UINT>(std::size(name));
    if (!GetMenuItemInfoW(header, static_cast<UINT>(index), TRUE, &item)) continue;
    item.dwTypeData = name;
    InsertMenuItemW(menu.get(), static_cast<UINT>(GetMenuItemCount(menu.get())), TRUE, &item);
    if ((item.fType & MFT_SEPARATOR) != 0 && !listEntryAdded) {
      AppendMenuW(menu.get(), MF_STRING, kCommandShowList, L"Show list");
      listEntryAdded = true;
    }
  }
  if (!listEntryAdded) AppendMenuW(menu.get(), MF_STRING, kCommandShowList, L"Show list");
  // Without this the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle());
  TrackPopupMenuEx(menu.get(), TPM_RIGHTBUTTON, point.x, point.y, Handle(), nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}
