// Capture under load: another program (this one) copies many different texts a fixed
// interval apart into a running quillery.exe with room for all of them in its history,
// then closes it and counts, in the data file it wrote, which texts were captured and
// whether in the order they were copied.
//
//   capture_load_bench [--x11] [COUNT [INTERVAL_MS...]]   default: 200 texts at 20 and at 5 ms
//   capture_load_bench --capture-time [CLIPS]            only the time of one capture
//                                                        (CLIPS up to 100,000)
//
// Target: at 20 ms none is lost, and no text is ever stored twice; from X11 programs, within
// 2 % of what a bare clipboard viewer alone keeps of the same burst. Run under Wine
// (scripts/wine-test.sh works for it). With --x11 the texts come from X11 programs instead,
// as on a Linux desktop: x11_burst.sh, beside this file, copies them with xclip (Wine runs
// a Unix program that a Windows program starts).
// Losses come from captures that take longer than the interval, so it also reports how
// long one capture takes, from the copy until the header shows it, with histories of
// several sizes loaded from the data file (up to 10,000 texts of 1 KB), with the list folded
// and with it open.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window/win32/main_window_ids.h"
#include "bench/program/bare_clipboard_viewer.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"
#include "tests/support/clipboard_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kCapacity = 10000;
// The largest history whose capture time is measured (full, as after years of copying).
constexpr int kLargestHistory = 100000;

std::u16string TextNumber(int n) {
  const std::string text = "load text " + std::to_string(n + 1);
  return std::u16string(text.begin(), text.end());
}

// Waits until `due`, handling this thread's messages meanwhile. A message wait sleeps
// whole milliseconds and often one more, so it never gets the last millisecond, which is
// spent yielding: a copy that started late would be followed by the next one at once, far
// closer than the interval being measured.
void WaitUntil(Clock::time_point due) {
  for (;;) {
    PumpMessages();
    const auto now = Clock::now();
    if (now >= due) return;
    const auto left = std::chrono::duration_cast<milliseconds>(due - now).count();
    if (left >= 2) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left - 1), QS_ALLINPUT);
    } else {
      Sleep(0);
    }
  }
}

struct CRunResult {
  int copyFailures = 0;
  double copyMilliseconds = 0;          // from the first copy to the last
  double latestMilliseconds = 0;        // the most a copy started behind its schedule
  double shortestGapMilliseconds = 0;   // the least time from one copy's start to the next
  std::vector<std::u16string> history;  // head first, as saved at close
};

// The copies made by x11_burst.sh; false when it could not be run.
bool CopyFromX11(int count, milliseconds interval, CRunResult& result) {
  const std::string done =
      "/tmp/quillery-x11-burst-" + std::to_string(GetCurrentProcessId()) + ".done";
  std::string windowsDone = "Z:" + done;
  std::replace(windowsDone.begin(), windowsDone.end(), '/', '\\');
  const std::string line = std::string("Z:\\bin\\bash ") + QUILLERY_X11_BURST_SCRIPT + " " +
                           std::to_string(count) + " " + std::to_string(interval.count()) + " " +
                           done;
  std::wstring command(line.begin(), line.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  // Wine gives no handle of a Unix process to wait on: the script says when it is done.
  const auto patience = interval * count * 4 + milliseconds(60000);
  if (!PumpUntil([&] { return GetFileAttributesA(windowsDone.c_str()) != INVALID_FILE_ATTRIBUTES; },
                 patience)) {
    return false;
  }
  if (FILE* file = std::fopen(windowsDone.c_str(), "r")) {
    if (std::fscanf(file, "%lf %lf %lf", &result.copyMilliseconds, &result.latestMilliseconds,
                    &result.shortestGapMilliseconds) != 3) {
      result.copyMilliseconds = 0;
    }
    std::fclose(file);
  }
  DeleteFileA(windowsDone.c_str());
  return true;
}

// One program, `count` copies `interval` apart, by this process or, with `x11`, by X11
// programs; false when the program or the copies could not be run.
bool Run(int count, milliseconds interval, bool x11, CRunResult& result) {
  CClipboardDriver driver;
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity, kCapacity);
  CRunningProgram program(installation.Program());
  if (!program.Started() || program.WaitForMainWindow() == nullptr) return false;

  if (x11 && !CopyFromX11(count, interval, result)) return false;
  const auto start = Clock::now();
  auto previous = start;
  if (!x11) result.shortestGapMilliseconds = static_cast<double>(interval.count());
  for (int i = 0; i < count && !x11; ++i) {
    const auto due = start + interval * i;
    WaitUntil(due);
    const auto now = Clock::now();
    const double late = std::chrono::duration<double, std::milli>(now - due).count();
    result.latestMilliseconds = std::max(result.latestMilliseconds, late);
    if (i > 0) {
      const double gap = std::chrono::duration<double, std::milli>(now - previous).count();
      result.shortestGapMilliseconds = std::min(result.shortestGapMilliseconds, gap);
    }
    previous = now;
    if (!driver.CopyText(TextNumber(i))) ++result.copyFailures;
  }
  if (!x11) {
    result.copyMilliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  // The last copy may still be on its way; then the program is closed as a user would.
  program.WaitForHeader(TextNumber(count - 1));
  if (!program.Close()) return false;
  const auto saved = LoadDataFile(installation.DataFile());
  if (saved) result.history = ClipTexts(*saved, kHistoryCategoryId);
  return true;
}

// The same copies from X11 programs seen by a bare clipboard viewer alone, instead of the
// program: how many of them any viewer can keep on this machine. -1 when they could not be
// run.
int KeptByBareViewer(int count, milliseconds interval) {
  CBareClipboardViewer viewer;
  CRunResult copies;
  if (!viewer.Listening() || !CopyFromX11(count, interval, copies)) return -1;
  PumpFor(milliseconds(500));  // the last change on its way
  int kept = 0;
  for (int i = 0; i < count; ++i) kept += viewer.Texts().contains(TextNumber(i)) ? 1 : 0;
  return kept;
}

// A text of about `units` UTF-16 units that begins with its number, so that every one differs.
std::u16string FilledText(int n, int units) {
  std::u16string text = TextNumber(n) + u" ";
  if (static_cast<int>(text.size()) < units)
    text.append(static_cast<std::size_t>(units) - text.size(), u'x');
  return text;
}

// Waits until the header shows `caption`, looking at it about every millisecond: the
// end-to-end tests' patient wait looks every few, too coarse for what is measured here.
bool WaitForHeaderClosely(const CRunningProgram& program, const std::u16string& caption) {
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < deadline) {
    PumpMessages();
    if (program.HeaderText() == caption) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return false;
}

// Opens the list and pins it, so that it stays open wherever the cursor is.
bool Unfold(const CRunningProgram& program) {
  HWND window = program.MainWindow();
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kIdOpenClipboard, BN_CLICKED),
               reinterpret_cast<LPARAM>(program.Control(kIdOpenClipboard)));
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kIdPin, BN_CLICKED),
               reinterpret_cast<LPARAM>(program.Control(kIdPin)));
  return PumpUntil([&] { return IsWindowVisible(program.Control(kIdItemsTree)) != FALSE; });
}

// Median and longest time from a copy until the header shows it, over `copies` copies one
// after another, with `preloaded` texts of `units` UTF-16 units in the history at start,
// the list folded or open.
void ReportCaptureTime(int preloaded, int units, bool unfolded, int copies) {
  CClipboardDriver driver;
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity, std::max(kCapacity, preloaded));
  std::vector<std::pair<std::u16string, int>> history;
  for (int i = 0; i < preloaded; ++i) {
    history.emplace_back(FilledText(kCapacity + i, units), kHistoryCategoryId);
  }
  WriteTextClips(installation.DataFile(), history);
  CRunningProgram program(installation.Program());
  const char* shape = unfolded ? "unfolded" : "folded";
  if (!program.Started() || program.WaitForMainWindow() == nullptr ||
      (unfolded && !Unfold(program))) {
    std::printf("history of %5d, %s: the program could not be started\n", preloaded, shape);
    return;
  }
  PumpFor(milliseconds(200));  // the start's own work done
  std::vector<double> times;
  for (int i = 0; i < copies; ++i) {
    const auto start = Clock::now();
    if (!driver.CopyText(TextNumber(i)) || !WaitForHeaderClosely(program, TextNumber(i))) continue;
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    PumpFor(milliseconds(30));  // each copy on its own, not in a burst
  }
  std::sort(times.begin(), times.end());
  const double median = times.empty() ? 0.0 : times[times.size() / 2];
  std::printf(
      "history of %5d texts of %4d bytes, %-8s: a capture shows after %.1f ms (median), %.1f ms"
      " at most (%zu of %d)\n",
      preloaded, units * 2, shape, median, times.empty() ? 0.0 : times.back(), times.size(),
      copies);
  program.Close();
}

void Report(const char* source, int count, milliseconds interval, const CRunResult& result) {
  // The history is newest first; the copies in copy order are its reverse.
  std::vector<std::u16string> captured(result.history.rbegin(), result.history.rend());
  std::vector<int> lost;
  std::size_t next = 0;
  bool inOrder = true;
  for (int i = 0; i < count; ++i) {
    const auto found = std::find(captured.begin(), captured.end(), TextNumber(i));
    if (found == captured.end()) {
      lost.push_back(i + 1);
      continue;
    }
    const auto position = static_cast<std::size_t>(found - captured.begin());
    if (position < next) inOrder = false;
    next = position + 1;
  }
  const int extra = static_cast<int>(captured.size()) - (count - static_cast<int>(lost.size()));
  std::vector<std::u16string> sorted = captured;
  std::sort(sorted.begin(), sorted.end());
  int twice = 0;                        // texts stored more than once
  std::vector<std::u16string> oddOnes;  // stored twice, or never copied
  for (auto same = sorted.begin(); same != sorted.end();) {
    const auto end = std::upper_bound(same, sorted.end(), *same);
    if (end - same > 1) ++twice;
    const bool copied = same->rfind(u"load text ", 0) == 0;
    if (end - same > 1 || !copied) oddOnes.push_back(*same);
    same = end;
  }
  std::printf(
      "%s%3d ms apart: %d of %d captured, %zu lost, %s; %d extra clips, %d texts stored more"
      " than once; %d copies failed; copying took %.0f ms (a copy started at most %.1f ms late,"
      " %.1f ms at least after the one before)\n",
      source, static_cast<int>(interval.count()), count - static_cast<int>(lost.size()), count,
      lost.size(), inOrder ? "in order" : "OUT OF ORDER", extra, twice, result.copyFailures,
      result.copyMilliseconds, result.latestMilliseconds, result.shortestGapMilliseconds);
  if (!oddOnes.empty()) {
    std::printf("   stored twice or never copied:");
    for (std::size_t i = 0; i < oddOnes.size() && i < 10; ++i) {
      std::printf(" \"%s\"", std::string(oddOnes[i].begin(), oddOnes[i].end()).c_str());
    }
    std::printf("\n");
  }
  if (!lost.empty()) {
    std::printf("   lost:");
    for (std::size_t i = 0; i < lost.size() && i < 20; ++i) std::printf(" %d", lost[i]);
    std::printf(lost.size() > 20 ? " ...\n" : "\n");
  }
}

}  // namespace

// The time of one capture with each history size, or with `clips` texts of 1 KB only.
void ReportCaptureTimes(int clips) {
  for (const bool unfolded : {false, true}) {
    if (clips > 0) {
      ReportCaptureTime(clips, 512, unfolded, 20);
      continue;
    }
    for (const int preloaded : {0, 100, 1000}) ReportCaptureTime(preloaded, 16, unfolded, 20);
    ReportCaptureTime(10000, 512, unfolded, 20);
  }
}

int main(int argc, char** argv) {
  bool x11 = false;
  bool captureTimeOnly = false;
  std::vector<int> numbers;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--x11") {
      x11 = true;
    } else if (std::string(argv[i]) == "--capture-time") {
      captureTimeOnly = true;
    } else {
      numbers.push_back(std::atoi(argv[i]));
    }
  }
  if (captureTimeOnly) {
    const int clips = numbers.empty() ? 0 : numbers[0];
    if (clips < 0 || clips > kLargestHistory) {
      std::fprintf(stderr, "CLIPS must be from 0 to %d\n", kLargestHistory);
      return 2;
    }
    ReportCaptureTimes(clips);
    return 0;
  }
  const int count = !numbers.empty() ? numbers[0] : 200;
  std::vector<milliseconds> intervals;
  for (std::size_t i = 1; i < numbers.size(); ++i) intervals.emplace_back(numbers[i]);
  if (intervals.empty()) intervals = {milliseconds(20), milliseconds(5)};
  if (count < 1 || count > kCapacity) {
    std::fprintf(stderr, "COUNT must be from 1 to %d\n", kCapacity);
    return 2;
  }
  if (!x11) ReportCaptureTimes(0);
  const char* source = x11 ? "X11 (xclip), " : "Win32, ";
  int status = 0;
  for (const auto interval : intervals) {
    if (x11) {
      const int kept = KeptByBareViewer(count, interval);
      std::printf("%s%3d ms apart: a bare clipboard viewer alone kept %d of %d\n", source,
                  static_cast<int>(interval.count()), kept, count);
    }
    CRunResult result;
    if (!Run(count, interval, x11, result)) {
      std::printf("%s%3d ms apart: the program or the copies could not be run\n", source,
                  static_cast<int>(interval.count()));
      status = 1;
      continue;
    }
    Report(source, count, interval, result);
  }
  return status;
}
