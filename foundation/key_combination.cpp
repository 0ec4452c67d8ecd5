#include "foundation/key_combination.h"

#include <optional>

#include "platform/windows_api.h"

namespace {

// GetAsyncKeyState, not GetKeyState: the latter gives only what this thread's messages
// have shown it, so keys pressed while another program has the focus would go unseen.
bool IsHeld(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

struct KeyRange {
  int first;
  int last;
};
// After the two main mouse buttons (1 and 2, read apart), the rest of 1-14, 19-159 and
// 166-254: leaves out 15-18 (the generic Shift, Ctrl, Alt and code 15), 160-165 (their left
// and right keys) and 255. No key has code 0.
constexpr KeyRange kScannedRanges[] = {{3, 14}, {19, 159}, {166, 254}};

// The held one of the logical left (primary) and right buttons, VK_LBUTTON first; 0 when
// neither is. GetAsyncKeyState reads the physical buttons, and with the mouse set up for
// the left hand the primary button is the physical right one.
int HeldMainButton() {
  const bool physicalLeft = IsHeld(VK_LBUTTON);
  const bool physicalRight = IsHeld(VK_RBUTTON);
  if (!physicalLeft && !physicalRight) return 0;
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  return (swapped ? physicalRight : physicalLeft) ? VK_LBUTTON : VK_RBUTTON;
}

}  // namespace

KeyCombination ScanKeyCombination() {
  KeyCombination modifiers = 0;
  if (IsHeld(VK_SHIFT)) modifiers |= kKeyShift;
  if (IsHeld(VK_CONTROL)) modifiers |= kKeyCtrl;
  if (IsHeld(VK_MENU)) modifiers |= kKeyAlt;
  if (const int button = HeldMainButton()) return static_cast<KeyCombination>(modifiers | button);
  for (const KeyRange& range : kScannedRanges) {
    for (int key = range.first; key <= range.last; ++key) {
      if (IsHeld(key)) return static_cast<KeyCombination>(modifiers | key);
    }
  }
  return modifiers;
}

KeyCombination CKeyCombinationPoller::Read() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof info;
  std::optional<std::uint32_t> lastInput;
  if (GetLastInputInfo(&info)) lastInput = info.dwTime;
  // A held combination is followed closely: its release may come with the next input.
  if (watch_.Due(lastInput, GetTickCount(), result_ != 0)) result_ = ScanKeyCombination();
  return result_;
}

KeyCombination ReadKeyCombination() {
  static CKeyCombinationPoller poller;
  return poller.Read();
}
