// The idle cost of polling the key combination every 10 ms, the program's idle cost.
//
//   key_poll_bench                 per-call cost of the full scan and of the poller, idle
//   key_poll_bench timer MODE [S]  Windows: a window's 10 ms timer for S seconds (default 5)
//                                  calling nothing (bare), ScanKeyCombination (scan) or
//                                  ReadKeyCombination (poll); prints the process's CPU share
//
// Target: with no input, `poll` costs about what `bare` does. Under Wine part of a key
// state query's cost is in wineserver; bench/idle/wine_idle_cost.sh measures both.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/key_combination.h"
#include "platform/windows_api.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Call>
double NanosecondsPerCall(int calls, Call call) {
  unsigned sink = 0;
  const auto start = Clock::now();
  for (int i = 0; i < calls; ++i) sink += call();
  const auto elapsed = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  if (sink == 0xFFFFFFFF) std::puts("");  // keeps the calls
  return elapsed / calls;
}

void PerCall() {
  CKeyCombinationPoller poller;
  poller.Read();
  // Let the poller settle: it scans for a while after it first sees the last input.
  Sleep(2 * CKeyCombinationPoller::kSettleMilliseconds + 20);
  poller.Read();
  const double scan = NanosecondsPerCall(2000, [] { return ScanKeyCombination(); });
  const double poll = NanosecondsPerCall(200000, [&] { return poller.Read(); });
  std::printf("ScanKeyCombination        %12.0f ns per call\n", scan);
  std::printf("CKeyCombinationPoller     %12.0f ns per call (no input)\n", poll);
  std::printf("at 100 calls a second: scan %.3f%%, poller %.4f%% of a core\n", scan * 100 / 1e7,
              poll * 100 / 1e7);
}

#ifdef _WIN32
enum class Mode { kBare, kScan, kPoll };
Mode mode = Mode::kBare;

LRESULT CALLBACK TimerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (mode == Mode::kScan) ScanKeyCombination();
    if (mode == Mode::kPoll) ReadKeyCombination();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME time) {
    return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

int RunTimer(const char* name, double seconds) {
  if (std::strcmp(name, "scan") == 0)
    mode = Mode::kScan;
  else if (std::strcmp(name, "poll") == 0)
    mode = Mode::kPoll;
  else if (std::strcmp(name, "bare") != 0)
    return 2;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TimerWindow;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuilleryKeyPollBench";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  SetTimer(window, 1, 10, nullptr);
  const double cpuStart = ProcessCpuSeconds();
  const auto start = Clock::now();
  MSG message;
  while (std::chrono::duration<double>(Clock::now() - start).count() < seconds &&
         GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%s: %.2f%% of a core in the process over %.1f s\n", name,
              (ProcessCpuSeconds() - cpuStart) * 100 / wall, wall);
  DestroyWindow(window);
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  if (argc >= 3 && std::strcmp(argv[1], "timer") == 0) {
    return RunTimer(argv[2], argc >= 4 ? std::atof(argv[3]) : 5.0);
  }
  // The costs were measured on a thread that owns a window, as the program's is.
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  PerCall();
  DestroyWindow(window);
#else
  (void)argc;
  (void)argv;
  PerCall();
#endif
  return 0;
}
