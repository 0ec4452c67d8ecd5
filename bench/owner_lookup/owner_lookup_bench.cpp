// What the check of an excluded program costs a capture: the clipboard owner's process
// looked up (GetClipboardOwner, GetWindowThreadProcessId, OpenProcess,
// QueryFullProcessImageNameW, CloseHandle) and its file name checked against 50 names.
// Prints the median and the slowest of 21 batches of 1,000 checks, per check. Target: far
// under a millisecond, beside a capture's reading of the clipboard. Runs natively (over the
// model) and under Wine:
//   build/bench/bench/owner_lookup/owner_lookup_bench
//   scripts/wine-test.sh build/windows/bench/owner_lookup/owner_lookup_bench.exe

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/utf8_text.h"
#include "store/capture_exclusion.h"
#include "store/clipboard_owner.h"
#include "tests/support/clipboard_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBatches = 21;
constexpr int kChecksPerBatch = 1000;

std::vector<std::u16string> FiftyProgramNames() {
  std::vector<std::u16string> names;
  for (int i = 0; i < 50; ++i) {
    std::u16string name = u"Password Safe ";
    for (char c : std::to_string(i)) name.push_back(static_cast<char16_t>(c));
    names.push_back(name + u".exe");
  }
  return names;
}

}  // namespace

int main() {
  // The driver's "other program" is a window of this process: the owner after the copy.
  CClipboardDriver driver;
  if (!driver.CopyText(u"owned by this program")) {
    std::fprintf(stderr, "the clipboard could not be written\n");
    return 1;
  }
  const CProgramExclusion exclusion(FiftyProgramNames());
  const std::u16string program = ClipboardOwnerProgram();
  std::printf("clipboard owner's program: %s\n", Utf8FromUtf16(program).c_str());
  if (program.empty()) return 1;

  std::vector<double> microseconds;
  int excluded = 0;
  for (int batch = 0; batch < kBatches; ++batch) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kChecksPerBatch; ++i)
      excluded += exclusion.Excludes(ClipboardOwnerProgram());
    microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                           kChecksPerBatch);
  }
  std::sort(microseconds.begin(), microseconds.end());
  std::printf(
      "owner lookup and rule, 50 names: median %.2f us, slowest batch %.2f us a check"
      " (%d excluded)\n",
      microseconds[kBatches / 2], microseconds.back(), excluded);
  return 0;
}
