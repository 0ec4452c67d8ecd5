#pragma once
// CSettingsPages: the pages of the settings dialog's tab control. Each page is a child
// dialog laid over the tab's display area, its controls added in code by the dialog; one
// page shows at a time. A page's controls report to the page, which hands their commands and
// notifications on to the dialog (CSettingsPageHost).

#include <array>

#include "platform/windows_api.h"

// The control `id` anywhere below `dialog` (its pages included), or null.
HWND FindDialogControl(HWND dialog, int id);

// What the pages report to: the dialog that owns them.
class CSettingsPageHost {
 public:
  // A page control's WM_COMMAND; true when handled.
  virtual bool OnPageCommand(int id, int code, HWND control) = 0;
  // A page control's WM_NOTIFY; the result is the page's answer when `handled` is set.
  virtual LRESULT OnPageNotify(NMHDR* header, bool& handled) = 0;

 protected:
  ~CSettingsPageHost() = default;
};

class CSettingsPages {
 public:
  static constexpr int kCount = 4;

  // Makes one empty page for each of `ids` (the pages' control ids) as children of `dialog`,
  // laid over `tab`; they report to `host` (not owned), which must outlive them. The pages go
  // with the dialog.
  void Make(HWND dialog, HWND tab, const std::array<int, kCount>& ids, CSettingsPageHost& host);

  HWND Page(int index) const { return pages_[index]; }
  const std::array<HWND, kCount>& All() const { return pages_; }

  // Lays every page over the tab's display area again (after a change of dpi).
  void PlaceAll();
  // Shows page `index` and hides the others.
  void Show(int index);

 private:
  static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  // Puts `page` over the tab control's display area.
  void Place(HWND page);

  HWND dialog_ = nullptr;
  HWND tab_ = nullptr;
  std::array<HWND, kCount> pages_{};
};
