// Type-to-search in a running quillery.exe under Wine, with the real window and tree view:
// 10,000 history clips of 1 KB, the popup opened with Ctrl+Alt+V, then "invoice 4471"
// typed key by key and cleared with Escape, a few times over. For each key, the time from
// its press until the tree holds exactly the rows of the matches and the field shows the
// query (the program answers those questions only once it has handled the key).
//
//   search_latency_bench [ROUNDS]     default: 3 rounds of 12 keys
//
// Run under Wine (scripts/wine-test.sh works for it). Prints the median and the maximum.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/search_corpus.h"
#include "app/window/win32/main_window_ids.h"
#include "categories/clipboard_handler.h"
#include "search/clip_query.h"
#include "search/search_fold.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"
#include "tests/support/clipboard_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kClips = kSearchCorpusClips;
constexpr std::u16string_view kQuery = kSearchQuery;

WORD KeyOf(char16_t letter) {
  if (letter == u' ') return VK_SPACE;
  if (letter >= u'a' && letter <= u'z') return static_cast<WORD>(letter - u'a' + 'A');
  return static_cast<WORD>(letter);  // digits
}

std::vector<double> Measure(int rounds) {
  CClipboardDriver driver;
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity, kClips);
  std::mt19937 random(7);
  std::vector<std::pair<std::u16string, int>> clips;
  std::vector<std::string> folded;
  for (int i = 0; i < kClips; ++i) {
    clips.emplace_back(SearchCorpusText(random, i), kHistoryCategoryId);
    folded.push_back(FoldForSearch(clips.back().first));
  }
  WriteTextClips(installation.DataFile(), clips);
  // The rows each prefix of the query leaves: its matches and "Clipboard history".
  std::vector<int> rows;
  for (std::size_t i = 1; i <= kQuery.size(); ++i) {
    const CClipQuery query(kQuery.substr(0, i));
    const auto found = std::count_if(folded.begin(), folded.end(), [&](const std::string& text) {
      return query.MatchesFolded(text);
    });
    // The tree holds rows for the first page of the matches.
    rows.push_back(found == 0 ? 0 : static_cast<int>(std::min<std::size_t>(found, kRowPage)) + 1);
  }

  CRunningProgram program(installation.Program());
  if (!program.Started() || program.WaitForMainWindow() == nullptr) return {};
  CPasteTarget target;
  if (!target.TakeFocus()) return {};
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetCursorPos(work.left + 300, work.top + 100);
  TypeChord({VK_CONTROL, VK_MENU, 'V'});
  HWND autoPaste = program.Control(kIdAutoPaste);
  HWND field = program.Control(kIdSearchField);
  if (!PumpUntil([&] { return IsWindowVisible(autoPaste) != FALSE; }) ||
      !PumpUntil([&] { return GetForegroundWindow() == program.MainWindow(); })) {
    return {};
  }
  PumpFor(milliseconds(500));  // past the popup's hold on the keyboard

  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < kQuery.size(); ++i) {
      const std::u16string text(kQuery.substr(0, i + 1));
      const auto pressed = Clock::now();
      PressKey(KeyOf(kQuery[i]), true);
      const bool shown =
          PumpUntil([&] { return WindowText(field) == text && program.TreeRowCount() == rows[i]; },
                    std::chrono::seconds(20));
      const auto done = Clock::now();
      PressKey(KeyOf(kQuery[i]), false);
      if (!shown) {
        std::fprintf(stderr, "\"%zu keys\": %d rows, wanted %d\n", i + 1, program.TreeRowCount(),
                     rows[i]);
        return {};
      }
      times.push_back(std::chrono::duration<double, std::milli>(done - pressed).count());
      PumpFor(milliseconds(30));
    }
    TypeChord({VK_ESCAPE});
    if (!PumpUntil([&] { return program.TreeRowCount() > static_cast<int>(kRowPage); },
                   std::chrono::seconds(20))) {
      return {};
    }
  }
  program.Close(std::chrono::seconds(60));
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  if (rounds < 1 || rounds > 100) {
    std::fprintf(stderr, "ROUNDS must be from 1 to 100\n");
    return 2;
  }
  std::vector<double> times = Measure(rounds);
  if (times.empty()) {
    std::printf("the program could not be run, or a search did not show its matches\n");
    return 1;
  }
  const std::vector<double> inOrder = times;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::printf("key press to the matches, 10,000 clips: %zu keys, median %.1f ms, max %.1f ms\n", n,
              median, times.back());
  std::printf("each key of the first round:");
  for (std::size_t i = 0; i < kQuery.size() && i < inOrder.size(); ++i)
    std::printf(" %.0f", inOrder[i]);
  std::printf("\n");
  return 0;
}
