#include "foundation/input_watch.h"

bool CInputWatch::Due(std::optional<std::uint32_t> lastInput, std::uint32_t now, bool active) {
  if (!lastInput) {
    started_ = false;  // whatever stamp comes next is news
    lastRead_ = now;
    return true;
  }
  bool due = !started_ || *lastInput != input_;
  if (due) {
    started_ = true;
    input_ = *lastInput;
    inputSeen_ = now;
  }
  // Unsigned differences stay right across the tick count's wrap after 49.7 days.
  due = due || active || lastRead_ - inputSeen_ <= kSettleMilliseconds ||
        now - lastRead_ >= kRefreshMilliseconds;
  if (due) lastRead_ = now;
  return due;
}
