#include "platform/win32/modal_dialog.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/win32/dpi.h"
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

void CModalDialog::SetTestDriver(Driver driver) { TestDriver() = std::move(driver); }

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

HWND CModalDialog::AddControl(const wchar_t* className, std::wstring_view text, DWORD style,
                              int x, int y, int width, int height, int id, DWORD exStyle) {
  return AddControlTo(hwnd_, className, text, style, x, y, width, height, id, exStyle);
}

HWND CModalDialog::AddControlTo(HWND parent, const wchar_t* className, std::wstring_view text,
                                DWORD style, int x, int y, int width, int height, int id,
                                DWORD exStyle) {
  const std::wstring title(text);
  HWND control = CreateWindowExW(exStyle, className, title.c_str(), style | WS_CHILD | WS_VISIBLE,
                                 Scale(x), Scale(y), Scale(width), Scale(height), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr && font_) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  return control;
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

bool CModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CModalDialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<CModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  const CMessageScope scope;
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (...) {
    ReportUiException();
    return TRUE;
  }
}

INT_PTR CModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      dpi_ = ScreenDpi();
      font_ = MakeFont(fontFace_, fontHeight_, dpi_);
      SetWindowTextW(hwnd_, caption_.c_str());
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
      RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
      AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
      const int width = frame.right - frame.left;
      const int height = frame.bottom - frame.top;
      // Centred on the work area of the monitor that holds the owner (or the cursor).
      HWND owner = GetWindow(hwnd_, GW_OWNER);
      POINT cursor{};
      GetCursorPos(&cursor);
      HMONITOR monitor = owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                          : MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
      MONITORINFO info{};
      info.cbSize = sizeof(info);
      GetMonitorInfoW(monitor, &info);
      const RECT& area = info.rcWork;
      SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, width, height,
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
      bool handled = false;
      const LRESULT result = OnNotify(reinterpret_cast<NMHDR*>(lParam), handled);
      if (!handled) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
  }
}
