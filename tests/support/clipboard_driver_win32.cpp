// The driver over the real clipboard: two hidden windows of this thread (the program's
// and the other program's), the program's window at the head of the viewer chain, and a
// second thread for holding the clipboard open.

#include <condition_variable>
#include <mutex>
#include <thread>

#include "tests/support/clipboard_driver.h"

namespace {

constexpr wchar_t kWindowClass[] = L"QuilleryTestClipboardWindow";

LRESULT CALLBACK DriverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* driver = reinterpret_cast<CClipboardDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  auto* next = reinterpret_cast<HWND*>(GetPropW(window, L"NextViewer"));
  switch (message) {
    case WM_DRAWCLIPBOARD:
      if (driver != nullptr) driver->NotifyChange();
      if (next != nullptr && *next != nullptr) SendMessageW(*next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (next != nullptr && reinterpret_cast<HWND>(wParam) == *next) {
        *next = reinterpret_cast<HWND>(lParam);
      } else if (next != nullptr && *next != nullptr) {
        SendMessageW(*next, message, wParam, lParam);
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND MakeWindow(CClipboardDriver* driver) {
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DriverWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  return CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), driver);
}

class CThreadHold : public CClipboardDriver::CHold {
 public:
  explicit CThreadHold(DWORD milliseconds) {
    thread_ = std::thread([this, milliseconds] {
      // Bounded, so that a clipboard stuck elsewhere fails the test instead of hanging it.
      bool open = false;
      for (int tries = 0; tries < 5000 && !(open = OpenClipboard(nullptr) != FALSE); ++tries)
        Sleep(1);
      {
        std::unique_lock lock(mutex_);
        opened_ = true;
        changed_.notify_all();
        if (!open) return;
        if (milliseconds == CClipboardDriver::kForever) {
          changed_.wait(lock, [this] { return released_; });
        } else {
          changed_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                            [this] { return released_; });
        }
      }
      CloseClipboard();
    });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return opened_; });
  }
  ~CThreadHold() override {
    {
      std::lock_guard lock(mutex_);
      released_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool opened_ = false;
  bool released_ = false;
  std::thread thread_;
};

}  // namespace

void CClipboardDriver::SetUpPlatform() {
  owner_ = MakeWindow(this);
  other_ = MakeWindow(nullptr);
  SetPropW(owner_, L"NextViewer", &nextViewer_);
  // The system greets a new viewer with a WM_DRAWCLIPBOARD; no handler is set yet.
  nextViewer_ = SetClipboardViewer(owner_);
}

void CClipboardDriver::TearDownPlatform() {
  ChangeClipboardChain(owner_, nextViewer_);
  RemovePropW(owner_, L"NextViewer");
  DestroyWindow(owner_);
  DestroyWindow(other_);
}

std::unique_ptr<CClipboardDriver::CHold> CClipboardDriver::HoldOpen(DWORD milliseconds) {
  return std::make_unique<CThreadHold>(milliseconds);
}

bool CClipboardDriver::CanFailAllocations() {
  return false;
}

void CClipboardDriver::FailNextAllocations(int) {}
