#include "dialogs/win32/settings_pages.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cstdint>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/notify_reflection.h"
#include "platform/win32/window.h"

namespace {

// An empty template for a page: a child dialog whose controls are added in code.
std::vector<std::uint16_t> PageTemplate() {
  std::vector<std::uint16_t> words(sizeof(DLGTEMPLATE) / 2 + 3, 0);
  auto* page = reinterpret_cast<DLGTEMPLATE*>(words.data());
  page->style = WS_CHILD | DS_CONTROL;
  return words;
}

struct FindControl {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM context) {
  auto* find = reinterpret_cast<FindControl*>(context);
  if (GetDlgCtrlID(window) != find->id) return TRUE;
  find->found = window;
  return FALSE;
}

}  // namespace

HWND FindDialogControl(HWND dialog, int id) {
  FindControl find{id, nullptr};
  EnumChildWindows(dialog, &MatchControl, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

void CSettingsPages::Make(HWND dialog, HWND tab, const std::array<int, kCount>& ids,
                          CSettingsPageHost& host) {
  dialog_ = dialog;
  tab_ = tab;
  for (int i = 0; i < kCount; ++i) {
    auto pageTemplate = PageTemplate();
    HWND page = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(pageTemplate.data()), dialog,
        &CSettingsPages::PageProc, reinterpret_cast<LPARAM>(&host));
    SetWindowLongPtrW(page, GWLP_ID, ids[i]);
    LeaveDpiScalingToDialog(page);  // the form scales the page's controls with its own
    Place(page);
    EnableThemeDialogTexture(page, ETDT_ENABLETAB);
    pages_[i] = page;
  }
}

void CSettingsPages::PlaceAll() {
  for (HWND page : pages_) Place(page);
}

void CSettingsPages::Place(HWND page) {
  RECT area{};
  GetWindowRect(tab_, &area);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
  TabCtrl_AdjustRect(tab_, FALSE, &area);
  // Above the tab control, which is drawn around the pages.
  SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
}

void CSettingsPages::Show(int index) {
  for (int i = 0; i < kCount; ++i) ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
}

INT_PTR CALLBACK CSettingsPages::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(page, DWLP_USER, lParam);
    return FALSE;
  }
  auto* host = reinterpret_cast<CSettingsPageHost*>(GetWindowLongPtrW(page, DWLP_USER));
  if (host == nullptr) return FALSE;
  return GuardedProcedure(INT_PTR{TRUE}, [&]() -> INT_PTR {
    // A page's controls report to the page; the dialog handles them.
    if (message == WM_COMMAND) {
      return host->OnPageCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                 ? TRUE
                 : FALSE;
    }
    if (message == WM_NOTIFY) {
      // A control with a wrapper answers for itself; the others are the dialog's.
      LRESULT result = 0;
      bool handled = ReflectNotify(lParam, result);
      if (!handled) result = host->OnPageNotify(reinterpret_cast<NMHDR*>(lParam), handled);
      if (!handled) return FALSE;
      SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
      return TRUE;
    }
    return FALSE;
  });
}
