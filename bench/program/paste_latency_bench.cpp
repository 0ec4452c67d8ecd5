// Quick paste's latency: the time from the press of the quick-paste digit (Ctrl already
// held) to the text arriving in the target, in a running quillery.exe, for both ways of
// pasting: the keystroke, into a window that pastes only on Ctrl+V as browsers do (the
// automatic method chooses it there), and the paste message, into a classic edit with
// "PasteMethod" 3.
//
//   paste_latency_bench [COUNT]     default: 20 pastes each
//
// Run under Wine (scripts/wine-test.sh works for it). Prints the median and the maximum.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/support/clipboard_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::u16string_view kText = u"pasted text";

// What one target offers the measurement.
struct CTargetAccess {
  std::function<bool()> takeFocus;
  std::function<bool()> arrived;  // the text is there
  std::function<void()> clear;
};

// `count` quick pastes of the newest clip into the target; the milliseconds each took, or
// none when the program could not be run or a paste did not arrive.
std::vector<double> Measure(int pasteMethod, const CTargetAccess& target, int count) {
  CClipboardDriver driver;
  CProgramInstallation installation;
  installation.SetSetting(Settings::kPasteMethod, pasteMethod);
  CRunningProgram program(installation.Program());
  if (!program.Started() || program.WaitForMainWindow() == nullptr) return {};
  if (!driver.CopyText(std::u16string(kText)) || !program.WaitForHeader(kText)) return {};
  if (!target.takeFocus()) return {};

  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    target.clear();
    PressKey(VK_CONTROL, true);
    PumpFor(milliseconds(50));
    const auto pressed = Clock::now();
    PressKey('1', true);
    const bool arrived = PumpUntil(target.arrived);
    const auto done = Clock::now();
    PressKey('1', false);
    PressKey(VK_CONTROL, false);
    if (!arrived) return {};
    times.push_back(std::chrono::duration<double, std::milli>(done - pressed).count());
    // The clip comes back through the clipboard watch as the newest capture.
    PumpFor(milliseconds(150));
  }
  program.Close();
  return times;
}

void Report(const char* name, std::vector<double> times) {
  if (times.empty()) {
    std::printf("%-44s the program could not be run or a paste did not arrive\n", name);
    return;
  }
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::printf("%-44s %zu pastes: median %6.1f ms, max %6.1f ms\n", name, n, median, times.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20;
  if (count < 1 || count > 1000) {
    std::fprintf(stderr, "COUNT must be from 1 to 1000\n");
    return 2;
  }
  {
    CKeystrokeTarget target;
    Report("keystroke Ctrl+V (automatic), Ctrl+1:",
           Measure(Settings::kPasteMethodAutomatic,
                   {[&] { return target.TakeFocus(); }, [&] { return target.Text() == kText; },
                    [&] { target.Clear(); }},
                   count));
  }
  {
    CPasteTarget target;
    Report("message WM_PASTE (PasteMethod 3), Ctrl+1:",
           Measure(Settings::kPasteMethodMessage,
                   {[&] { return target.TakeFocus(); }, [&] { return target.Text() == kText; },
                    [&] { target.Clear(); }},
                   count));
  }
  return 0;
}
