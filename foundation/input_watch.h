#pragma once
// CInputWatch: when the 10 ms tick must read again a value that only input changes, such
// as the keys held or the cursor's position. Each read is a request to the system (under
// Wine, to its server), while the system's time stamp of the last input, asked once per
// tick, tells whether anything can have changed.

#include <cstdint>
#include <optional>

class CInputWatch {
 public:
  // How long after a new stamp is first seen reads go on: input arriving within the same
  // tick count as a read carries the stamp already seen, so a read must come later than
  // the stamp's granularity, with room to spare.
  static constexpr std::uint32_t kSettleMilliseconds = 50;
  // Changes that come without input (a program moving the cursor, a desktop switch
  // releasing keys) are seen this long after at most.
  static constexpr std::uint32_t kRefreshMilliseconds = 1000;

  // True when the value must be read at tick count `now`, and the caller reads it then: at
  // the first call; when `lastInput` (the stamp, none when the system cannot tell) is new
  // or was first seen within kSettleMilliseconds; while `active` (the last value read must
  // be followed closely); and kRefreshMilliseconds after the last read.
  bool Due(std::optional<std::uint32_t> lastInput, std::uint32_t now, bool active);

 private:
  bool started_ = false;
  std::uint32_t input_ = 0;      // the stamp last seen
  std::uint32_t inputSeen_ = 0;  // when it was first seen
  std::uint32_t lastRead_ = 0;
};
