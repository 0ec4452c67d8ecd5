// The clip tree of a running quillery.exe under Wine with a long history: 100,000 texts of
// 1 KB ("ClipboardCapacity" 100000), whose tree holds rows for a page of clips at a time.
// - the popup: from the press of Ctrl+Alt+V until the window is shown at the cursor, and
//   from the chord let go until it is in front with the keyboard in it (the list takes the
//   keyboard only once no key is held),
//   closed with Escape between two, a few times over;
// - type-to-search: "e" (which finds every clip) typed and cleared, then "invoice 4471"
//   typed key by key, each key timed until the field shows the query and the tree holds
//   the rows that fill its screen, and until it holds the rows of its first page of matches
//   (a search walks a long history a slice at a time: the page may take a few slices).
//
//   rows_latency_bench [CLIPS [ROUNDS [PAGE]]]     default: 100,000 clips, 3 rounds, kRowPage
//
// PAGE 0 measures a program from before rows on demand, which has a row for every match.
//
// Run under Wine (scripts/wine-test.sh works for it). Prints the median and the maximum of
// each. Targets: the popup under 100 ms; a search key under 16 ms median, 50 ms at most.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/window/win32/main_window_ids.h"
#include "bench/search_corpus.h"
#include "categories/clipboard_handler.h"
#include "foundation/settings_keys.h"
#include "search/clip_query.h"
#include "search/search_fold.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

WORD KeyOfLetter(char16_t letter) {
  if (letter == u' ') return VK_SPACE;
  if (letter >= u'a' && letter <= u'z') return static_cast<WORD>(letter - u'a' + 'A');
  return static_cast<WORD>(letter);  // digits
}

// The window that has the keyboard in `window`'s thread, or null.
HWND KeyboardIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

struct CFigures {
  std::vector<double> popupShown;
  std::vector<double> popupKeyboard;
  std::vector<double> oneLetter;
  std::vector<double> oneLetterScreen;
  std::vector<double> typed;
  std::vector<double> typedScreen;
};

void Print(const char* what, std::vector<double> times) {
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::printf("%s: %zu times, median %.1f ms, max %.1f ms\n", what, n, median, times.back());
}

bool Measure(int clipCount, int rounds, std::size_t page, CFigures& figures) {
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity, clipCount);
  std::mt19937 random(7);
  std::vector<std::pair<std::u16string, int>> clips;
  std::vector<std::string> folded;
  for (int i = 0; i < clipCount; ++i) {
    clips.emplace_back(SearchCorpusText(random, i), kHistoryCategoryId);
    folded.push_back(FoldForSearch(clips.back().first));
  }
  WriteTextClips(installation.DataFile(), clips);
  // The rows a query leaves: "Clipboard history" and the first page of its matches.
  const auto rowsFor = [&folded, page](std::u16string_view text) {
    const CClipQuery query(text);
    const auto found = std::count_if(folded.begin(), folded.end(), [&](const std::string& each) {
      return query.MatchesFolded(each);
    });
    const auto shown = static_cast<std::size_t>(found);
    return found == 0 ? 0 : static_cast<int>(page == 0 ? shown : std::min(shown, page)) + 1;
  };
  const std::u16string typed(kSearchQuery);
  std::vector<int> typedRows;
  for (std::size_t i = 1; i <= typed.size(); ++i) typedRows.push_back(rowsFor(typed.substr(0, i)));
  const int oneLetterRows = rowsFor(u"e");

  CRunningProgram program(installation.Program());
  if (!program.Started() || program.WaitForMainWindow(std::chrono::seconds(120)) == nullptr) {
    return false;
  }
  CPasteTarget target;
  if (!target.TakeFocus()) return false;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetCursorPos(work.left + 300, work.top + 100);
  HWND window = program.MainWindow();
  HWND field = program.Control(kIdSearchField);

  for (int round = 0; round < rounds + 1; ++round) {
    // The hot key fires on the press of V, which shows the list in front; the list takes
    // the keyboard once the chord is let go, so that no held key reaches it.
    PressKey(VK_CONTROL, true);
    PressKey(VK_MENU, true);
    PumpFor(milliseconds(40));
    RECT docked{};
    GetWindowRect(window, &docked);
    const auto pressed = Clock::now();
    PressKey('V', true);
    // Shown at the cursor: the docked window has moved there.
    const bool shown = PumpUntil(
        [&] {
          RECT now{};
          GetWindowRect(window, &now);
          return IsWindowVisible(window) && !EqualRect(&now, &docked);
        },
        std::chrono::seconds(30));
    const double toShown = MillisecondsSince(pressed);
    PumpFor(milliseconds(40));
    for (WORD key : {WORD{'V'}, WORD{VK_MENU}}) PressKey(key, false);
    const auto letGo = Clock::now();
    PressKey(VK_CONTROL, false);
    const bool keyboardIn = PumpUntil(
        [&] {
          HWND keyboard = KeyboardIn(window);
          return GetForegroundWindow() == window && keyboard != nullptr &&
                 IsChild(window, keyboard);
        },
        std::chrono::seconds(30));
    const double toKeyboard = MillisecondsSince(letGo);
    if (!shown || !keyboardIn) {
      std::fprintf(stderr, "the popup did not come with the keyboard (shown %d, keyboard %d)\n",
                   shown, keyboardIn);
      return false;
    }
    if (round > 0) {  // the first warms up
      figures.popupShown.push_back(toShown);
      figures.popupKeyboard.push_back(toKeyboard);
    }
    PumpFor(milliseconds(500));  // past the popup's hold on the keyboard
    if (round == rounds) break;  // left open for the search
    TypeChord({VK_ESCAPE});
    if (!PumpUntil([&] { return GetForegroundWindow() != window; }, std::chrono::seconds(30))) {
      return false;
    }
    target.TakeFocus();
    PumpFor(milliseconds(200));
  }

  const int rowsShown = program.TreeRowCount();
  // The rows the tree has room for on screen, with the category's row above them.
  DWORD_PTR visible = 0;
  SendMessageTimeoutW(program.Control(kIdItemsTree), TVM_GETVISIBLECOUNT, 0, 0, SMTO_ABORTIFHUNG,
                      1000, &visible);
  const int screenRows = static_cast<int>(visible) + 1;
  // The time until the rows fill the screen (`screen`), and until the first page is all there.
  const auto timeKey = [&](char16_t letter, const std::u16string& text, int rows,
                           std::vector<double>& screen) -> double {
    const auto pressed = Clock::now();
    PressKey(KeyOfLetter(letter), true);
    const int screenful = std::min(rows, screenRows);
    bool screenShown = false;
    const bool shown = PumpUntil(
        [&] {
          if (WindowText(field) != text) return false;
          const int count = program.TreeRowCount();
          if (!screenShown && count >= screenful) {
            screenShown = true;
            screen.push_back(MillisecondsSince(pressed));
          }
          return count == rows;
        },
        std::chrono::seconds(30));
    const double took = MillisecondsSince(pressed);
    PressKey(KeyOfLetter(letter), false);
    if (!shown) {
      std::fprintf(stderr, "\"%s\": %d rows, wanted %d\n",
                   std::string(text.begin(), text.end()).c_str(), program.TreeRowCount(), rows);
      return -1;
    }
    PumpFor(milliseconds(30));
    return took;
  };
  const auto clear = [&] {
    TypeChord({VK_ESCAPE});
    return PumpUntil([&] { return program.TreeRowCount() == rowsShown; }, std::chrono::seconds(30));
  };
  for (int round = 0; round < rounds; ++round) {
    const double took = timeKey(u'e', u"e", oneLetterRows, figures.oneLetterScreen);
    if (took < 0 || !clear()) return false;
    figures.oneLetter.push_back(took);
  }
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < typed.size(); ++i) {
      const double took =
          timeKey(typed[i], typed.substr(0, i + 1), typedRows[i], figures.typedScreen);
      if (took < 0) return false;
      figures.typed.push_back(took);
    }
    if (!clear()) return false;
  }
  program.Close(std::chrono::seconds(60));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int clips = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const int page = argc > 3 ? std::atoi(argv[3]) : static_cast<int>(kRowPage);
  if (clips < 1 || clips > 1000000 || rounds < 1 || rounds > 100 || page < 0) {
    std::fprintf(stderr,
                 "CLIPS must be from 1 to 1,000,000, ROUNDS from 1 to 100, PAGE 0 or more\n");
    return 2;
  }
  CFigures figures;
  if (!Measure(clips, rounds, static_cast<std::size_t>(page), figures)) {
    std::printf("the program could not be run, or the tree did not show what was asked\n");
    return 1;
  }
  std::printf("%d history clips of 1 KB\n", clips);
  Print("Ctrl+Alt+V pressed to the list shown at the cursor", figures.popupShown);
  Print("the chord let go to the list in front with the keyboard", figures.popupKeyboard);
  Print("\"e\" (every clip) to a screen of rows", figures.oneLetterScreen);
  Print("\"e\" (every clip) to its first page of rows", figures.oneLetter);
  Print("\"invoice 4471\" key by key to a screen of rows", figures.typedScreen);
  Print("\"invoice 4471\" key by key to its first page of rows", figures.typed);
  return 0;
}
