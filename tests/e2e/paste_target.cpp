#include "tests/e2e/paste_target.h"

#include "tests/e2e/desktop.h"

namespace {

constexpr wchar_t kTargetClass[] = L"QuilleryPasteTarget";

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Alt typed for quick paste must not put the window into menu mode.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
  // Activated again (after the popup had the keyboard), the edit has the focus again, as in
  // any editor.
  if (message == WM_SETFOCUS) {
    if (HWND edit = GetWindow(window, GW_CHILD)) SetFocus(edit);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

CPasteTarget::CPasteTarget() {
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kTargetClass;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  window_.reset(CreateWindowExW(0, kTargetClass, L"Paste target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                40, 700, 320, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr));
  edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10,
                          10, 280, 24, window_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
  PumpMessages();
}

bool CPasteTarget::TakeFocus() {
  return PumpUntil([&] {
    if (GetForegroundWindow() != window_.get()) SetForegroundWindow(window_.get());
    if (GetFocus() != edit_) SetFocus(edit_);
    return GetForegroundWindow() == window_.get() && GetFocus() == edit_;
  });
}

std::u16string CPasteTarget::Text() const {
  return WindowText(edit_);
}

void CPasteTarget::Clear() {
  SetWindowTextW(edit_, L"");
}

namespace {

constexpr wchar_t kKeystrokeTargetClass[] = L"QuilleryKeystrokeTarget";

bool IsDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

CKeystrokeTarget::CKeystrokeTarget() {
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CKeystrokeTarget::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kKeystrokeTargetClass;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  menu_.reset(CreateMenu());
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 1, L"&Close");
  AppendMenuW(menu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  window_.reset(CreateWindowExW(0, kKeystrokeTargetClass, L"Keystroke target",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 380, 700, 320, 120, nullptr,
                                menu_.get(), GetModuleHandleW(nullptr), this));
  if (window_) menu_.release();  // destroyed with the window
  PumpMessages();
}

bool CKeystrokeTarget::TakeFocus() {
  return PumpUntil([&] {
    if (GetForegroundWindow() != window_.get()) SetForegroundWindow(window_.get());
    if (GetFocus() != window_.get()) SetFocus(window_.get());
    return GetForegroundWindow() == window_.get() && GetFocus() == window_.get();
  });
}

void CKeystrokeTarget::Clear() {
  text_.clear();
  pastes_ = 0;
  pasteMessages_ = 0;
  menuActivations_ = 0;
}

void CKeystrokeTarget::PasteFromClipboard() {
  ++pastes_;
  // The program that put the clip there may still hold the clipboard for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(window_.get())) {
      if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const char16_t*>(GlobalLock(data))) {
          text_ += text;
          GlobalUnlock(data);
        }
      }
      CloseClipboard();
      return;
    }
    Sleep(5);
  }
}

LRESULT CALLBACK CKeystrokeTarget::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CKeystrokeTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_KEYDOWN:
      // Ctrl+Alt+V (also a WM_KEYDOWN, unlike Alt+V) is not a paste.
      if (IsDown(VK_MENU)) break;
      if ((wParam == 'V' && IsDown(VK_CONTROL) && !IsDown(VK_SHIFT)) ||
          (wParam == VK_INSERT && IsDown(VK_SHIFT) && !IsDown(VK_CONTROL))) {
        self->PasteFromClipboard();
        return 0;
      }
      break;
    case WM_PASTE:
      ++self->pasteMessages_;
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) {
        ++self->menuActivations_;
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
