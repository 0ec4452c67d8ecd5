// How fast quillery.exe starts and ends with a large history: 10,000 texts of 1 KB.
//
//   lifecycle_bench [--account] [CLIPS [RUNS]]     default: 10,000 clips, 5 runs
//
// With --account the data file is encrypted for this Windows account ("EncryptClips" 1), so
// that a start unwraps the key and opens the file's chunks.
//
// Start: from CreateProcess until the main window answers a message, and until it is
// ready for work (its data loaded and the clipboard watched), beside a bare
// program's window started the same way. Exit: from WM_CLOSE until the data file has been
// written, until the window is gone and until the process has ended. Memory: the working set
// once ready (steady) and its peak (Wine takes both from the Linux process's VmRSS and VmHWM).
// Targets: ready under 0.2 s; process gone under 0.2 s after WM_CLOSE; working set at most
// 1.3 times the data file and 30 MB.
// Run under Wine (scripts/wine-test.sh works for it).

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "store/encrypted/store_key.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"

// After <windows.h>, which it needs.
#include <psapi.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls `condition` about every millisecond, handling this thread's messages meanwhile;
// the milliseconds it took, or -1 when it did not hold within 30 s.
template <typename Condition>
double TimeUntil(Clock::time_point start, Condition condition) {
  while (MillisecondsSince(start) < 30000) {
    PumpMessages();
    if (condition()) return MillisecondsSince(start);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return -1;
}

// The file's last write in 100 ns units, 0 when it cannot be read (as while it is being
// replaced). std::filesystem's time of mingw counts whole seconds, in which a start and
// its exit often both fall.
std::uint64_t WriteTime(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

struct CTimes {
  double answers = 0;
  double ready = 0;
  double written = 0;
  double windowGone = 0;
  double processGone = 0;
  double steadyMiB = 0;
  double peakMiB = 0;
  double fileMiB = 0;
};

constexpr double kMiB = 1024.0 * 1024.0;

// The program's working set and its peak, in MiB; false when the system does not tell.
bool ReadMemory(DWORD processId, CTimes& times) {
  HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (process == nullptr) return false;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
  CloseHandle(process);
  if (!read) return false;
  times.steadyMiB = static_cast<double>(counters.WorkingSetSize) / kMiB;
  times.peakMiB = static_cast<double>(counters.PeakWorkingSetSize) / kMiB;
  return true;
}

bool RunOnce(const std::vector<std::pair<std::u16string, int>>& history, const CStoreKey* key,
             CTimes& times) {
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity,
                          std::max<int>(12, static_cast<int>(history.size())));
  if (key != nullptr) {
    installation.SetSetting(Settings::kPrivacySection, Settings::kEncryptClips,
                            static_cast<int>(key->Mode()));
  }
  WriteTextClips(installation.DataFile(), history, key);
  times.fileMiB = static_cast<double>(std::filesystem::file_size(installation.DataFile())) / kMiB;
  const std::uint64_t loadedStamp = WriteTime(installation.DataFile());

  const auto launch = Clock::now();
  CRunningProgram program(installation.Program());
  if (!program.Started()) {
    std::printf("CreateProcess failed (%lu)\n", GetLastError());
    return false;
  }
  HWND window = nullptr;
  times.answers = TimeUntil(launch, [&] {
    window = FindProcessWindow(program.ProcessId(), kMainWindowClass);
    return window != nullptr && Answers(window);
  });
  times.ready = TimeUntil(launch, [&] { return WatchesTheClipboard(window) && Answers(window); });
  if (times.ready < 0 || program.WaitForMainWindow() == nullptr) {
    std::printf("not ready within 30 s (answers: %.0f ms, running: %d)\n", times.answers,
                program.IsRunning() ? 1 : 0);
    return false;
  }
  PumpFor(std::chrono::milliseconds(300));
  if (!ReadMemory(program.ProcessId(), times)) std::printf("memory figures not available\n");

  const auto close = Clock::now();
  PostMessageW(window, WM_CLOSE, 0, 0);
  times.written = TimeUntil(close, [&] {
    const std::uint64_t stamp = WriteTime(installation.DataFile());
    return stamp != 0 && stamp != loadedStamp;
  });
  times.windowGone = TimeUntil(close, [&] { return IsWindow(window) == FALSE; });
  times.processGone = TimeUntil(close, [&] { return !program.IsRunning(); });
  if (times.processGone < 0) {
    // Each wait ends 30 s after WM_CLOSE, so a step not seen leaves the later ones unseen.
    std::printf(
        "the exit was not over 30 s after WM_CLOSE (data written at %.0f ms, window gone at %.0f"
        " ms; -1: not seen)\n",
        times.written, times.windowGone);
  }
  return times.processGone >= 0;
}

// The floor under any start: a bare program (bench/idle's, with one window and a 10 ms
// timer) started the same way, until its window answers. Under Wine most of a start is
// the system's own work of making a process, which no program can take off.
double BareWindowAnswers() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  // The build's path is a Unix one, which Wine shows on drive Z:.
  std::string unixPath = QUILLERY_BARE_WINDOW_PROGRAM;
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  const std::filesystem::path program = "Z:" + unixPath;
  std::wstring commandLine = L"\"" + program.wstring() + L"\" timer bare 30";
  const auto launch = Clock::now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return -1;
  }
  const double answers = TimeUntil(launch, [&] {
    HWND window = FindProcessWindow(started.dwProcessId, L"QuilleryKeyPollBench");
    return window != nullptr && Answers(window);
  });
  TerminateProcess(started.hProcess, 0);
  WaitForSingleObject(started.hProcess, 5000);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return answers;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool account = !arguments.empty() && arguments.front() == "--account";
  if (account) arguments.erase(arguments.begin());
  const int clips = arguments.size() > 0 ? std::atoi(arguments[0].c_str()) : 10000;
  const int runs = arguments.size() > 1 ? std::atoi(arguments[1].c_str()) : 5;
  if (clips < 0 || runs < 1) {
    std::fprintf(stderr, "usage: lifecycle_bench [--account] [CLIPS [RUNS]]\n");
    return 2;
  }
  // One key for every run: each run's file is protected the same way a new one would be.
  std::optional<CStoreKey> key;
  if (account) key.emplace(CStoreKey::NewForAccount());
  std::vector<std::pair<std::u16string, int>> history;
  for (int i = 0; i < clips; ++i) {
    const std::string number = "lifecycle text " + std::to_string(i + 1) + " ";
    std::u16string text(number.begin(), number.end());
    text.append(512 - std::min<std::size_t>(512, text.size()), u'x');
    history.emplace_back(std::move(text), kHistoryCategoryId);
  }
  // The bare starts come first: an exit of Quillery keeps Wine's tray busy for a while
  // (below), and any start in that time waits for it.
  std::vector<double> bare;
  for (int run = 0; run < runs; ++run) {
    bare.push_back(BareWindowAnswers());
    std::printf("bare window %d: answers after %.0f ms\n", run + 1, bare.back());
  }
  std::vector<double> answers, ready, written, windowGone, processGone, steady, peak;
  double fileMiB = 0;
  bool failures = false;
  for (int run = 0; run < runs; ++run) {
    // Under Wine without a window manager, the stand-alone tray window takes about 2 s to
    // go after the last icon left it, and a start within that time waits for it (a start
    // right after an exit), which is no part of the program's own start. A bare start
    // right after 2.5 s still waited about 2 s.
    if (run > 0) Sleep(5000);
    CTimes times;
    if (!RunOnce(history, key ? &*key : nullptr, times)) {
      std::printf("run %d: the program could not be started or did not end\n", run + 1);
      failures = true;
      continue;
    }
    std::printf(
        "run %d: answers after %.0f ms, ready after %.0f ms; after WM_CLOSE data written at"
        " %.0f ms, window gone at %.0f ms, process gone at %.0f ms; data file %.0f MiB, working"
        " set %.0f MiB (peak %.0f MiB)\n",
        run + 1, times.answers, times.ready, times.written, times.windowGone, times.processGone,
        times.fileMiB, times.steadyMiB, times.peakMiB);
    answers.push_back(times.answers);
    ready.push_back(times.ready);
    written.push_back(times.written);
    windowGone.push_back(times.windowGone);
    processGone.push_back(times.processGone);
    steady.push_back(times.steadyMiB);
    peak.push_back(times.peakMiB);
    fileMiB = times.fileMiB;
  }
  std::printf(
      "%d clips of 1 KB%s, median of %d: a bare window answers %.0f ms; start answers %.0f ms,"
      " ready %.0f ms; exit: written %.0f ms, window gone %.0f ms, process gone %.0f ms;"
      " data file %.0f MiB, working set %.0f MiB (peak %.0f MiB)\n",
      clips, account ? ", encrypted for the account" : "", runs, Median(bare), Median(answers),
      Median(ready), Median(written), Median(windowGone), Median(processGone), fileMiB,
      Median(steady), Median(peak));
  return failures ? 1 : 0;
}
