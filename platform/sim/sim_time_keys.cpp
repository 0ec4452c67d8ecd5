// The model's clock and key state. The clock advances only through Sleep, so that tests of
// waiting and retrying run instantly and always the same way.

#include <chrono>
#include <ctime>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::State;

SYSTEMTIME FromTm(const std::tm& tm, int milliseconds) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(tm.tm_year + 1900);
  time.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  time.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  time.wDay = static_cast<WORD>(tm.tm_mday);
  time.wHour = static_cast<WORD>(tm.tm_hour);
  time.wMinute = static_cast<WORD>(tm.tm_min);
  time.wSecond = static_cast<WORD>(tm.tm_sec);
  time.wMilliseconds = static_cast<WORD>(milliseconds);
  return time;
}

// Adds milliseconds to a calendar time, treating it as a zone-free count.
SYSTEMTIME AddMilliseconds(const SYSTEMTIME& start, std::uint64_t milliseconds) {
  std::tm tm{};
  tm.tm_year = start.wYear - 1900;
  tm.tm_mon = start.wMonth - 1;
  tm.tm_mday = start.wDay;
  tm.tm_hour = start.wHour;
  tm.tm_min = start.wMinute;
  tm.tm_sec = start.wSecond;
  std::uint64_t total = start.wMilliseconds + milliseconds;
  std::time_t seconds = timegm(&tm) + static_cast<std::time_t>(total / 1000);
  std::tm result{};
  gmtime_r(&seconds, &result);
  return FromTm(result, static_cast<int>(total % 1000));
}
}  // namespace

void GetLocalTime(SYSTEMTIME* time) {
  auto& model = State();
  if (model.fixedTime) {
    *time = AddMilliseconds(*model.fixedTime, model.tick - model.tickWhenFixed);
    return;
  }
  auto now = std::chrono::system_clock::now();
  auto sinceEpoch = now.time_since_epoch();
  std::time_t seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
  auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  *time = FromTm(local, static_cast<int>(milliseconds));
}

DWORD GetTickCount() {
  return static_cast<DWORD>(State().tick);
}

void Sleep(DWORD milliseconds) {
  State().tick += milliseconds;
  sim::detail::ApplyPendingInput();
}

SHORT GetKeyState(int virtualKey) {
  ++State().keyStateQueries;
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return State().keysDown[static_cast<std::size_t>(virtualKey)] ? static_cast<SHORT>(-128) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) {
  return GetKeyState(virtualKey);
}

namespace sim {

void SetKeyDown(int virtualKey, bool down) {
  SetKeyDownWithoutInput(virtualKey, down);
  if (virtualKey >= 0 && virtualKey <= 255) State().lastInputTick = State().tick;
}

void SetKeyDownWithoutInput(int virtualKey, bool down) {
  auto& keys = State().keysDown;
  if (virtualKey < 0 || virtualKey > 255) return;
  keys[static_cast<std::size_t>(virtualKey)] = down;
  // The system reports the generic modifier whenever either side is held.
  auto generic = [&](int left, int right, int both) {
    if (virtualKey == left || virtualKey == right) {
      keys[static_cast<std::size_t>(both)] =
          keys[static_cast<std::size_t>(left)] || keys[static_cast<std::size_t>(right)];
    }
  };
  generic(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
  generic(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
  generic(VK_LMENU, VK_RMENU, VK_MENU);
}

void ReleaseAllKeys() {
  State().keysDown.fill(false);
}

void SetLocalTime(const SYSTEMTIME& time) {
  State().fixedTime = time;
  State().tickWhenFixed = State().tick;
}

}  // namespace sim
