#include "app/window/win32/mouse_hot_key_hook.h"

#include <future>
#include <optional>

#include "platform/handles.h"

namespace {

struct MouseHookTraits {
  using Handle = HHOOK;
  static void Close(Handle handle) { UnhookWindowsHookEx(handle); }
};
using UniqueMouseHook = Unique<MouseHookTraits>;

// The hook procedure has no context of its own; each hook thread serves one owner.
thread_local CMouseHotKeyHook* tMouseHookOwner = nullptr;

LRESULT CALLBACK MouseHotKeyHookProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && tMouseHookOwner != nullptr &&
      tMouseHookOwner->Judge(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(data))) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool IsHeldNow(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The button and its direction of a button message; none for moves and wheels.
std::optional<MouseButtonEvent> ButtonEventOf(WPARAM message, const MSLLHOOKSTRUCT& event) {
  MouseButtonEvent button;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      button.physicalButton = kLeftButton;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      button.physicalButton = kRightButton;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      button.physicalButton = kMiddleButton;
      break;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      button.physicalButton =
          HIWORD(event.mouseData) == XBUTTON2 ? kSecondExtraButton : kFirstExtraButton;
      break;
    default:
      return std::nullopt;
  }
  button.down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
                message == WM_MBUTTONDOWN || message == WM_XBUTTONDOWN;
  return button;
}

}  // namespace

class CMouseHotKeyHook::CHookThread {
 public:
  // Returns once the hook is installed or refused.
  explicit CHookThread(CMouseHotKeyHook& owner) {
    std::promise<bool> ready;
    std::future<bool> installed = ready.get_future();
    thread_ = std::thread([this, &owner, &ready] { Run(owner, ready); });
    installed_ = installed.get();
  }
  ~CHookThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  CHookThread(const CHookThread&) = delete;
  CHookThread& operator=(const CHookThread&) = delete;

  bool Installed() const { return installed_; }

 private:
  void Run(CMouseHotKeyHook& owner, std::promise<bool>& ready) {
    tMouseHookOwner = &owner;
    // The queue exists before anyone can post the quit to it.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    UniqueMouseHook hook(
        SetWindowsHookExW(WH_MOUSE_LL, MouseHotKeyHookProc, GetModuleHandleW(nullptr), 0));
    const bool installed = static_cast<bool>(hook);
    ready.set_value(installed);  // `ready` is gone from here on
    if (!installed) return;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  }

  DWORD threadId_ = 0;  // set before the constructor returns
  bool installed_ = false;
  std::thread thread_;
};

CMouseHotKeyHook::CMouseHotKeyHook(HWND window, UINT message, HWND ownWindow)
    : window_(window), message_(message), ownWindow_(ownWindow) {}

CMouseHotKeyHook::~CMouseHotKeyHook() {
  thread_.reset();
}

bool CMouseHotKeyHook::Watch(const std::vector<KeyCombination>& hotKeys) {
  bool needed = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    rule_.Watch(hotKeys);
    needed = rule_.HasMouseHotKeys();
  }
  if (!needed) {
    thread_.reset();
    return true;
  }
  if (!thread_) {
    thread_ = std::make_unique<CHookThread>(*this);
    if (!thread_->Installed()) thread_.reset();
  }
  return thread_ != nullptr;
}

void CMouseHotKeyHook::SetPaused(bool paused) {
  if (paused == paused_) return;  // asked at every tick
  paused_ = paused;
  const std::lock_guard<std::mutex> lock(mutex_);
  rule_.SetPaused(paused);
}

bool CMouseHotKeyHook::Judge(WPARAM message, const MSLLHOOKSTRUCT& event) {
  std::optional<MouseButtonEvent> button = ButtonEventOf(message, event);
  if (!button) return false;
  // Clicks injected by other programs (remote control, accessibility and scripting tools)
  // stand for the user's and count alike. Quillery itself injects only keys.
  if (IsHeldNow(VK_SHIFT)) button->modifiers |= kKeyShift;
  if (IsHeldNow(VK_CONTROL)) button->modifiers |= kKeyCtrl;
  if (IsHeldNow(VK_MENU)) button->modifiers |= kKeyAlt;
  // Whether the layout has AltGr is the UI thread's to ask; a right Alt alone with Ctrl is
  // left to the tick's poll, which tells.
  button->altGrPossible = (button->modifiers & (kKeyCtrl | kKeyAlt)) == (kKeyCtrl | kKeyAlt) &&
                          IsHeldNow(VK_RMENU) && !IsHeldNow(VK_LMENU);
  button->buttonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  // Asked of presses only, which are rare: a release follows its press's verdict.
  if (button->down && ownWindow_ != nullptr) {
    const HWND under = WindowFromPoint(event.pt);
    button->onOwnWindow = under != nullptr && GetAncestor(under, GA_ROOT) == ownWindow_;
  }
  MouseVerdict verdict;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    verdict = rule_.Judge(*button);
  }
  if (verdict.fired) PostMessageW(window_, message_, *verdict.fired, 0);
  return verdict.swallow;
}
