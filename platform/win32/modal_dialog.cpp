#include "platform/win32/modal_dialog.h"

#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/notify_reflection.h"
#include "platform/win32/window.h"

namespace {

// Posted to a dialog once it is shown, to run the test driver inside its message loop.
constexpr UINT kRunTestDriver = WM_APP + 0x3F0;

CModalDialog::Driver& TestDriver() {
  static CModalDialog::Driver driver;
  return driver;
}

// An empty dialog template: the size and controls are set in code at WM_INITDIALOG, in
// pixels, rather than in dialog units.
std::vector<std::uint16_t> EmptyTemplate(DWORD style) {
  std::vector<std::uint16_t> words(sizeof(DLGTEMPLATE) / 2 + 3, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = style;
  dialog->cdit = 0;
  return words;  // menu, class and title: all empty
}

}  // namespace

void CModalDialog::SetTestDriver(Driver driver) {
  TestDriver() = std::move(driver);
}

void CModalDialog::SetForm(std::wstring_view caption, int clientWidth, int clientHeight,
                           std::wstring_view fontFace, int fontHeight) {
  caption_ = caption;
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  fontFace_ = fontFace;
  fontHeight_ = fontHeight;
}

INT_PTR CModalDialog::Run(HWND owner) {
  auto dialogTemplate =
      EmptyTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                 reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                 &CModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND CModalDialog::AddControl(const wchar_t* className, std::wstring_view text, DWORD style, int x,
                              int y, int width, int height, int id, DWORD exStyle) {
  return AddControlTo(hwnd_, className, text, style, x, y, width, height, id, exStyle);
}

HWND CModalDialog::AddControlTo(HWND parent, const wchar_t* className, std::wstring_view text,
                                DWORD style, int x, int y, int width, int height, int id,
                                DWORD exStyle) {
  const std::wstring title(text);
  const RECT place = ScaledRect(x, y, width, height);
  HWND control = CreateWindowExW(
      exStyle, className, title.c_str(), style | WS_CHILD | WS_VISIBLE, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr && font_) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  if (control != nullptr) placed_.push_back({control, x, y, width, height});
  return control;
}

RECT CModalDialog::ScaledRect(int x, int y, int width, int height) const {
  // Edges scaled, not sizes: neighbours that meet at 96 dpi meet at every dpi.
  return {Scale(x), Scale(y), Scale(x + width), Scale(y + height)};
}

SIZE CModalDialog::FrameSize(int frameDpi) const {
  RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
  AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), frameDpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void CModalDialog::ChangeDpi(int dpi, const RECT& suggested) {
  dpi_ = UsableDpi(dpi);
  // The controls take the new font before the old one goes.
  UniqueFont previous = std::move(font_);
  font_ = MakeFont(fontFace_, fontHeight_, dpi_);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  // The frame is the system's, drawn at the dpi it gives the window: the new one by now.
  const SIZE size = FrameSize(DpiOfWindow(hwnd_));
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (const CPlacedControl& placed : placed_) {
    SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // A control added without a size places itself (a spin beside its edit, below).
    if (placed.width == 0 && placed.height == 0) continue;
    const RECT place = ScaledRect(placed.x, placed.y, placed.width, placed.height);
    MoveWindow(placed.control, place.left, place.top, place.right - place.left,
               place.bottom - place.top, FALSE);
  }
  // A spin takes its place at its edit's edge, narrowing the edit, when the edit is given
  // to it: given again now that the edit has its whole new width.
  for (const CPlacedControl& placed : placed_) {
    wchar_t className[32]{};
    GetClassNameW(placed.control, className, static_cast<int>(std::size(className)));
    if (std::wstring_view(className) != UPDOWN_CLASSW) continue;
    const LRESULT buddy = SendMessageW(placed.control, UDM_GETBUDDY, 0, 0);
    if (buddy != 0) SendMessageW(placed.control, UDM_SETBUDDY, static_cast<WPARAM>(buddy), 0);
  }
  OnDpiChanged();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool CModalDialog::OnCommand(int id, int, HWND) {
  if (id == IDOK) {
    if (OnOk()) EndDialog(hwnd_, IDOK);
    return true;
  }
  if (id == IDCANCEL) {
    EndDialog(hwnd_, IDCANCEL);
    return true;
  }
  return false;
}

LRESULT CModalDialog::OnNotify(NMHDR*, bool& handled) {
  handled = false;
  return 0;
}

bool CModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
  return false;
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CModalDialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<CModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  return GuardedProcedure(INT_PTR{TRUE}, [&] { return self->Dispatch(message, wParam, lParam); });
}

INT_PTR CModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      LeaveDpiScalingToDialog(hwnd_);
      placed_.clear();
      // Centred on the work area of the monitor that holds the owner (or the cursor), at
      // that monitor's dpi.
      HWND owner = GetWindow(hwnd_, GW_OWNER);
      POINT cursor{};
      GetCursorPos(&cursor);
      HMONITOR monitor = owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                          : MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
      MONITORINFO info{};
      info.cbSize = sizeof(info);
      GetMonitorInfoW(monitor, &info);
      dpi_ = DpiOfRect(info.rcMonitor);
      font_ = MakeFont(fontFace_, fontHeight_, dpi_);
      SetWindowTextW(hwnd_, caption_.c_str());
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
      const SIZE size = FrameSize(dpi_);
      const RECT& area = info.rcWork;
      // Going there may bring WM_DPICHANGED with the dpi the dialog already has.
      SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - size.cx) / 2,
                   area.top + (area.bottom - area.top - size.cy) / 2, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      const bool focusSet = OnInit();
      if (TestDriver()) PostMessageW(hwnd_, kRunTestDriver, 0, 0);
      return focusSet ? FALSE : TRUE;
    }
    case kRunTestDriver:
      if (TestDriver()) TestDriver()(hwnd_);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                       : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      bool handled = ReflectNotify(lParam, result);
      if (!handled) result = OnNotify(reinterpret_cast<NMHDR*>(lParam), handled);
      if (!handled) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_DPICHANGED:
      if (LOWORD(wParam) != dpi_) ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      placed_.clear();
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
  }
}
