#pragma once
// KeyCombination: the keys and mouse buttons held at one moment as one 16-bit code, the
// same as a hot key control's value: Shift 0x2000, Ctrl 0x4000, Alt 0x8000, and one
// virtual-key code (a key or a mouse button) in the low byte, 0 when only modifiers are
// held. Ctrl+Alt+V is 0xC056, Ctrl with a left click 0x4001.

#include <cstdint>

#include "foundation/input_watch.h"

using KeyCombination = std::uint16_t;

inline constexpr KeyCombination kKeyShift = 0x2000;
inline constexpr KeyCombination kKeyCtrl = 0x4000;
inline constexpr KeyCombination kKeyAlt = 0x8000;

// The combination held now on the whole desktop, whichever program has the focus: the
// modifiers, and the lowest held code of 1-14, 19-159 and 166-254. Those ranges leave out
// the generic and the left and right Shift, Ctrl and Alt keys, so right Shift alone is
// 0x2000. The mouse buttons are the logical ones: with the buttons swapped for the left
// hand, VK_LBUTTON is the primary button, which is the physical right one. Same result as
// ScanKeyCombination, but it asks the system for the 248 key states only when they may have changed
// (see CKeyCombinationPoller); meant for a 10 ms timer.
KeyCombination ReadKeyCombination();

// The same by asking the system for every key's state, every call. Costly: about 250
// system calls.
KeyCombination ScanKeyCombination();

// Gives ScanKeyCombination's result while skipping the scan when it cannot have changed:
// the key state changes only through input, so when no input has arrived since a scan
// (GetLastInputInfo) that scan still holds. Scans regardless while a combination is held,
// while input may share its time stamp with the last scan, and at least every second, so
// that a state the system changes without input (a desktop switch releasing keys) is seen.
// When to scan is CInputWatch's rule.
class CKeyCombinationPoller {
 public:
  static constexpr std::uint32_t kSettleMilliseconds = CInputWatch::kSettleMilliseconds;
  static constexpr std::uint32_t kRefreshMilliseconds = CInputWatch::kRefreshMilliseconds;

  KeyCombination Read();

 private:
  CInputWatch watch_;
  KeyCombination result_ = 0;
};
