#include "platform/win32/window.h"

#include <string>
#include <utility>
#include <vector>

namespace {

UiExceptionHandler& ExceptionHandler() {
  static UiExceptionHandler handler;
  return handler;
}

int messageDepth = 0;

std::vector<std::function<void()>>& OutermostTasks() {
  static std::vector<std::function<void()>> tasks;
  return tasks;
}

}  // namespace

CMessageScope::CMessageScope() {
  ++messageDepth;
}

CMessageScope::~CMessageScope() {
  if (--messageDepth != 0) return;
  // A task may queue another; each runs with no scope open, as a task queued then would.
  while (!OutermostTasks().empty()) {
    std::function<void()> task = std::move(OutermostTasks().front());
    OutermostTasks().erase(OutermostTasks().begin());
    task();
  }
}

int CMessageScope::Depth() {
  return messageDepth;
}

void AfterOutermostMessage(std::function<void()> task) {
  if (messageDepth == 0) {
    task();
  } else {
    OutermostTasks().push_back(std::move(task));
  }
}

void SetUiExceptionHandler(UiExceptionHandler handler) {
  ExceptionHandler() = std::move(handler);
}

void ReportUiException() {
  try {
    throw;
  } catch (const std::exception& error) {
    if (ExceptionHandler()) {
      ExceptionHandler()(error);
    } else {
      MessageBoxA(nullptr, error.what(), "Quillery", MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    // Not one of ours: shown like the others, with an empty message.
    const std::exception unknown;
    if (ExceptionHandler()) {
      ExceptionHandler()(unknown);
    } else {
      MessageBoxA(nullptr, "", "Quillery", MB_OK | MB_ICONERROR);
    }
  }
}

CWindow::~CWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(hwnd_, nullptr));
  }
}

bool CWindow::Create(const wchar_t* className, WNDCLASSEXW wc, DWORD exStyle, const wchar_t* title,
                     DWORD style, int x, int y, int width, int height, HWND parent) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, className, &existing)) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CWindow::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc) == 0) return false;
  }
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                         instance, this) != nullptr;
}

LRESULT CWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<CWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
    return result;
  }
  return GuardedProcedure(LRESULT{0}, [&] { return self->HandleMessage(message, wParam, lParam); });
}
