// What hostile clipboard content costs a running quillery.exe: another program (this one)
// puts on the clipboard content that is small to offer and large to take, and measures
// the program's peak working set and the longest stall of its main window's message loop
// while it captures.
//
//   hostile_clipboard_bench dib|hdrop [--program=PATH] [--cap=S] [--settle=S] [--guard-mib=N]
//
//   dib     a CF_DIB of 1 bit a pixel, 32768 x 32768 (128 MiB on the clipboard)
//   hdrop   an ANSI CF_HDROP of 64 MiB of one-letter paths (about 33 million)
//   PATH    the quillery.exe to measure (a Unix path is taken as drive Z:); default: this
//           build's. It runs in a fresh portable installation, as the end-to-end tests'.
//   S       --cap: the longest wait for the header to change after the put (120 s);
//           --settle: how long to go on watching after it changed (5 s)
//   N       the program is ended when its working set passes this (10240 MiB), for a
//           shared machine; the figures then say so
//
// The stall is timed by a thread that sends WM_NULL to the main window every 5 ms, from
// just before the put until the end of the settle time. The peak is the process's
// PeakWorkingSetSize (GetProcessMemoryInfo), which Wine takes from the Linux process's
// VmHWM. Run under Wine with scripts/wine-test.sh.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/window/win32/main_window_ids.h"
#include "bench/program/hostile_content.h"
#include "bench/program/loop_stall_probe.h"
#include "foundation/utf8_text.h"
#include "platform/handles.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"

// After <windows.h>, on which it builds.
#include <psapi.h>

namespace {

using Clock = std::chrono::steady_clock;

struct CBenchOptions {
  bool dib = true;
  std::filesystem::path program;
  double capS = 120;
  double settleS = 5;
  std::size_t guardMib = 10240;
};

constexpr int kPictureSide = 32768;
constexpr std::size_t kDropListBytes = std::size_t{64} << 20;
constexpr std::size_t kMiB = std::size_t{1} << 20;

std::optional<CBenchOptions> ParseOptions(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  CBenchOptions options;
  const std::string_view kind = argv[1];
  if (kind != "dib" && kind != "hdrop") return std::nullopt;
  options.dib = kind == "dib";
  for (int i = 2; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const auto value = [&](std::string_view name) -> std::optional<std::string> {
      if (argument.substr(0, name.size()) != name) return std::nullopt;
      return std::string(argument.substr(name.size()));
    };
    if (auto path = value("--program=")) {
      options.program = path->front() == '/' ? "Z:" + *path : *path;
      options.program.make_preferred();
    } else if (auto cap = value("--cap=")) {
      options.capS = std::stod(*cap);
    } else if (auto settle = value("--settle=")) {
      options.settleS = std::stod(*settle);
    } else if (auto guard = value("--guard-mib=")) {
      options.guardMib = std::stoul(*guard);
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// The block to offer, made before anything is timed.
UniqueGlobal MakeContent(const CBenchOptions& options, std::string* description) {
  std::vector<std::uint8_t> bytes;
  if (options.dib) {
    bytes = OneBitDib(kPictureSide, kPictureSide);
    *description = "CF_DIB, " + std::to_string(kPictureSide) + " x " +
                   std::to_string(kPictureSide) + " at 1 bit a pixel";
  } else {
    std::size_t paths = 0;
    bytes = OneLetterDropList(kDropListBytes, &paths);
    *description = "CF_HDROP, ANSI, " + std::to_string(paths) + " one-letter paths";
  }
  *description += ", " + std::to_string(bytes.size()) + " bytes";
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory) return memory;
  GlobalLockGuard lock(memory.get());
  if (lock.data() == nullptr) return {};
  std::memcpy(lock.data(), bytes.data(), bytes.size());
  return memory;
}

bool PutOnClipboard(HWND owner, UINT format, UniqueGlobal content) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool placed = SetClipboardData(format, content.get()) != nullptr;
  if (placed) content.release();  // the clipboard owns it now
  CloseClipboard();
  return placed;
}

void EmptyTheClipboard(HWND owner) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  CloseClipboard();
}

// The header's text, or nothing when the window does not answer within half a second
// (an empty text would be taken for a change).
std::optional<std::u16string> HeaderTextIfAnswered(HWND header) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(header, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                           500, &copied)) {
    return std::nullopt;
  }
  return std::u16string(reinterpret_cast<const char16_t*>(text), copied);
}

struct CMemoryFigures {
  std::size_t peakMib = 0;
  std::size_t nowMib = 0;
};

std::optional<CMemoryFigures> MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return std::nullopt;
  return CMemoryFigures{counters.PeakWorkingSetSize / kMiB, counters.WorkingSetSize / kMiB};
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

int Run(const CBenchOptions& options) {
  const UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"hostile content", 0, 0, 0, 0, 0, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr));
  EmptyTheClipboard(owner.get());  // the program's start captures nothing
  CProgramInstallation installation;
  if (!options.program.empty()) {
    std::filesystem::copy_file(options.program, installation.Program(),
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::printf("program: %s\n", Utf8FromUtf16(installation.Program().u16string()).c_str());
  CRunningProgram program(installation.Program());
  if (!program.Started() || program.WaitForMainWindow() == nullptr) {
    std::fprintf(stderr, "the program did not start\n");
    return 1;
  }
  const UniqueFile process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, program.ProcessId()));
  const auto atStart = MemoryOf(process.get());
  if (!atStart) {
    std::fprintf(stderr, "the program's memory cannot be read\n");
    return 1;
  }
  std::string description;
  UniqueGlobal content = MakeContent(options, &description);
  if (!content) {
    std::fprintf(stderr, "no memory for the content\n");
    return 1;
  }
  std::printf("content: %s\n", description.c_str());
  const HWND header = program.Control(kIdClipboardContent);
  const std::u16string headerBefore = HeaderTextIfAnswered(header).value_or(u"");

  CLoopStallProbe probe(program.MainWindow(), std::chrono::milliseconds(5));
  if (!PutOnClipboard(owner.get(), options.dib ? CF_DIB : CF_HDROP, std::move(content))) {
    std::fprintf(stderr, "the content could not be put on the clipboard\n");
    return 1;
  }
  const double putS = SecondsSince(probe.Started());
  probe.Mark();

  // Until the header changes, then for the settle time; the guard ends a program that
  // grows past it, and the cap one that never shows the capture.
  std::optional<double> changedS;
  std::u16string headerAfter;
  bool guarded = false;
  std::size_t guardSeenMib = 0;
  // Kept as it goes: a program that ends during the capture takes its counters with it.
  std::size_t peakSeenMib = atStart->peakMib;
  PumpUntil(
      [&] {
        if (!program.IsRunning()) return true;
        if (const auto memory = MemoryOf(process.get())) {
          peakSeenMib = std::max(peakSeenMib, memory->peakMib);
          if (memory->nowMib > options.guardMib) {
            guardSeenMib = memory->nowMib;
            guarded = true;
            return true;
          }
        }
        const double now = SecondsSince(probe.Started());
        if (!changedS) {
          if (const auto text = HeaderTextIfAnswered(header); text && *text != headerBefore) {
            changedS = now;
            headerAfter = *text;
          }
          return now > options.capS;
        }
        return now > *changedS + options.settleS;
      },
      std::chrono::milliseconds(static_cast<long long>((options.capS + options.settleS) * 1000) +
                                60'000));
  const CLoopStallProbe::CFigures stalls = probe.Figures();
  if (const auto atEnd = MemoryOf(process.get())) {
    peakSeenMib = std::max(peakSeenMib, atEnd->peakMib);
  }
  const bool ended = !program.IsRunning();
  program.Kill();
  EmptyTheClipboard(owner.get());

  std::printf("put on the clipboard in %.2f s\n", putS);
  if (changedS) {
    std::printf("header changed after %.2f s: \"%s\"\n", *changedS,
                Utf8FromUtf16(headerAfter).c_str());
  } else {
    std::printf("header did not change within %.0f s\n", options.capS);
  }
  if (guarded) std::printf("ENDED by the guard: working set %zu MiB\n", guardSeenMib);
  if (ended) std::printf("the program ENDED by itself during the capture\n");
  std::printf(
      "peak working set (PeakWorkingSetSize, Wine's VmHWM): %zu MiB after the start, "
      "%zu MiB by the end\n",
      atStart->peakMib, peakSeenMib);
  std::printf("longest message-loop stall: %.0f ms, from %.2f s%s\n", stalls.longestMs,
              stalls.longestStartedS, stalls.longestUnanswered ? " (still unanswered)" : "");
  std::printf("longest stall after the put returned: %.0f ms\n", stalls.longestSinceMarkMs);
  std::printf("round trips: %d, over 100 ms: %d, %.2f s in those\n", stalls.probes,
              stalls.stallsOver100Ms, stalls.stalledS);
  for (const auto& stall : stalls.firstStalls) {
    std::printf("  stall of %.0f ms from %.2f s\n", stall.ms, stall.startedS);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: hostile_clipboard_bench dib|hdrop [--program=PATH] [--cap=S] "
                 "[--settle=S] [--guard-mib=N]\n");
    return 2;
  }
  return Run(*options);
}
