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
// Leaves out 15-18 (the generic Shift, Ctrl, Alt and code 15), 160-165 (their left and
// right keys) and 255.
constexpr KeyRange kScannedRanges[] = {{0, 14}, {19, 159}, {166, 254}};

}  // namespace

KeyCombination ScanKeyCombination() {
  KeyCombination modifiers = 0;
  if (IsHeld(VK_SHIFT)) modifiers |= kKeyShift;
  if (IsHeld(VK_CONTROL)) modifiers |= kKeyCtrl;
  if (IsHeld(VK_MENU)) modifiers |= kKeyAlt;
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
