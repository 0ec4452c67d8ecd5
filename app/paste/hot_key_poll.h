#pragma once
// The polls of the 10 ms tick are edge-triggered: an action fires at the tick at which the
// observed value changes to a value that is not idle, and holding it fires nothing more.

#include <cstdint>

#include "foundation/key_combination.h"

class CEdgePoll {
 public:
  // `last` is the value taken as seen before the first tick (so a value held at start-up
  // with that value does not fire until it has changed); `idle` never fires.
  CEdgePoll(std::uint16_t last, std::uint16_t idle) : last_(last), idle_(idle) {}

  // True when `value` differs from the previous one and is not idle.
  bool Fires(std::uint16_t value) {
    if (value == last_) return false;
    last_ = value;
    return value != idle_;
  }

 private:
  std::uint16_t last_;
  std::uint16_t idle_;
};

// No digit key held.
inline constexpr std::uint16_t kNoDigit = 255;

// The first of the main keyboard's digit keys "0" to "9" (0x30-0x39) that `isDown` reports
// held, tested in ascending order, as 0..9; kNoDigit when none is.
template <typename IsKeyDown>
std::uint16_t FirstDigitDown(IsKeyDown&& isDown) {
  for (int digit = 0; digit <= 9; ++digit) {
    if (isDown(0x30 + digit)) return static_cast<std::uint16_t>(digit);
  }
  return kNoDigit;
}

// What a digit pressed with Ctrl and/or Alt pastes: the `position`-th clip (0 = newest;
// digit 1 is 0, digit 0 is 9) of each category in `categories`, in that order.
struct QuickPastePlan {
  int position = 0;
  int count = 0;
  int categories[2] = {0, 0};
};

// Quick paste modes 0 (off), 1 (Ctrl: history, Alt: notes) and 2 (the other way round).
QuickPastePlan QuickPasteDigit(int digit, bool ctrl, bool alt, int mode);
