#pragma once
// CWalkSlice: how much of a walk over the clips one go may do, in time and in clips; a search
// over a long history walks a slice at a time, so that a key typed meanwhile is taken at once.

#include <chrono>
#include <cstddef>
#include <limits>

class CWalkSlice {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::microseconds kNoTimeLimit = std::chrono::microseconds::max();
  static constexpr std::size_t kNoClipLimit = std::numeric_limits<std::size_t>::max();

  // A slice without limits.
  CWalkSlice() = default;
  CWalkSlice(std::chrono::microseconds time, std::size_t clips)
      : timed_(time != kNoTimeLimit),
        end_(timed_ ? Clock::now() + time : Clock::time_point()),
        clipsLeft_(clips) {}

  // One clip more may be looked at; false once the slice is spent. The clock is read every
  // few hundred clips: a clip takes well under a microsecond.
  bool Take() {
    if (clipsLeft_ == 0) return false;
    --clipsLeft_;
    constexpr unsigned kClipsBetweenClockReadings = 256;
    if (timed_ && ++taken_ % kClipsBetweenClockReadings == 0 && Clock::now() >= end_) {
      clipsLeft_ = 0;
      return false;
    }
    return true;
  }

 private:
  bool timed_ = false;
  Clock::time_point end_;
  std::size_t clipsLeft_ = kNoClipLimit;
  unsigned taken_ = 0;
};
