#include "app/paste/win32/paste_target.h"

#include <string>

#include "app/paste/paste_keystrokes.h"

namespace {

HWND FocusedControlOf(HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0) return nullptr;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

// The system's class of the window: "Edit" also for a program's class built on the edit.
std::u16string RealClassOf(HWND window) {
  wchar_t name[256];
  const UINT length = RealGetWindowClassW(window, name, 256);
  return {reinterpret_cast<const char16_t*>(name), length};
}

// One window as the target of a paste; or, for quick paste, whichever is in front.
class CWindowPasteTarget final : public CPasteTargetPort {
 public:
  explicit CWindowPasteTarget(HWND window) : window_(window), followsFront_(false) {}
  static CWindowPasteTarget InFront() { return CWindowPasteTarget(); }

  bool TargetExists() override { return IsWindow(Window()) != FALSE; }
  bool TargetInFront() override { return GetForegroundWindow() == Window(); }

  void AskForFront(bool liftLock) override {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    if (liftLock) TapMaskedAlt();
    SetForegroundWindow(window_);
  }

  void ProcessWaitingMessages() override { ::ProcessWaitingMessages(); }

  EPasteWay WayFor(EPasteMethod method) override {
    focus_ = FocusedControlOf(Window());
    return ChoosePasteWay(method, focus_ != nullptr ? RealClassOf(focus_) : std::u16string());
  }

  bool PostPasteMessage() override {
    return focus_ != nullptr && PostMessageW(focus_, WM_PASTE, 0, 0) != FALSE;
  }

  bool TypePasteChord(EPasteChord chord) override {
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(Window(), nullptr));
    return SendPasteKeystrokes(chord, layout);
  }

 private:
  CWindowPasteTarget() : window_(nullptr), followsFront_(true) {}
  // Whatever is in front takes the keystroke, the window of a console or of a program
  // whose focus lies in another process among them.
  HWND Window() const { return followsFront_ ? GetForegroundWindow() : window_; }

  HWND window_;
  bool followsFront_;
  HWND focus_ = nullptr;  // of the last WayFor
};

}  // namespace

void ProcessWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool BringToFront(HWND window) {
  CWindowPasteTarget target(window);
  return BringTargetToFront(target) == ETargetFront::kInFront;
}

EPasteResult PasteToFocusedControl(EPasteMethod method) {
  CWindowPasteTarget front = CWindowPasteTarget::InFront();
  return PasteIntoFront(front, method);
}

EPasteResult PasteIntoTarget(HWND target, EPasteMethod method) {
  CWindowPasteTarget window(target);
  return PasteIntoTarget(window, method);
}
