// What the check of an excluded program costs a capture: the clipboard owner's process
// looked up (GetClipboardOwner, GetWindowThreadProcessId, OpenProcess,
// QueryFullProcessImageNameW, CloseHandle) and its file name checked against 50 names.
// Prints the median and the slowest of 21 batches of 1,000 checks, per check, and the same
// for each of its steps. It runs once a copy, and only while the list names a program:
// target under a millisecond. Runs natively (over the model) and under Wine:
//   build/bench/bench/owner_lookup/owner_lookup_bench
//   scripts/wine-test.sh build/windows/bench/owner_lookup/owner_lookup_bench.exe

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/utf8_text.h"
#include "platform/handles.h"
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

// Prints the median and the slowest of kBatches batches of `step`, per step.
template <typename Step>
void Report(const char* what, Step step) {
  std::vector<double> microseconds;
  for (int batch = 0; batch < kBatches; ++batch) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kChecksPerBatch; ++i) step();
    microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                           kChecksPerBatch);
  }
  std::sort(microseconds.begin(), microseconds.end());
  std::printf("%s: median %.2f us, slowest batch %.2f us\n", what, microseconds[kBatches / 2],
              microseconds.back());
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

  int excluded = 0;
  Report("owner lookup and rule, 50 names",
         [&] { excluded += exclusion.Excludes(ClipboardOwnerProgram()); });
  // Its steps, to tell which system call the time goes to.
  HWND owner = nullptr;
  Report("  GetClipboardOwner", [&] { owner = GetClipboardOwner(); });
  DWORD processId = 0;
  Report("  GetWindowThreadProcessId", [&] { GetWindowThreadProcessId(owner, &processId); });
  Report("  OpenProcess and CloseHandle", [&] {
    UniqueProcess process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  });
  UniqueProcess process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  Report("  QueryFullProcessImageNameW", [&] {
    WCHAR path[MAX_PATH];
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process.get(), 0, path, &size);
  });
  std::printf("(%d excluded)\n", excluded);
  return 0;
}
