#include "foundation/key_combination.h"

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
  if (!GetLastInputInfo(&info)) {
    started_ = false;
    return result_ = ScanKeyCombination();
  }
  const std::uint32_t now = GetTickCount();
  bool scan = !started_ || info.dwTime != input_;
  if (scan) {
    started_ = true;
    input_ = info.dwTime;
    inputSeen_ = now;
  }
  // Unsigned differences stay right across the tick count's wrap after 49.7 days.
  scan = scan || result_ != 0 || lastScan_ - inputSeen_ <= kSettleMilliseconds ||
         now - lastScan_ >= kRefreshMilliseconds;
  if (!scan) return result_;
  result_ = ScanKeyCombination();
  lastScan_ = now;
  return result_;
}

KeyCombination ReadKeyCombination() {
  static CKeyCombinationPoller poller;
  return poller.Read();
}
