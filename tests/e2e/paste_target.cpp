#include "tests/e2e/paste_target.h"

#include "tests/e2e/desktop.h"

namespace {

constexpr wchar_t kTargetClass[] = L"QuilleryPasteTarget";

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Alt typed for quick paste must not put the window into menu mode.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
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
