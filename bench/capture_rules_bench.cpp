// The two rules a capture applies before it keeps a clip. The excluded programs: the check
// of one program against a list of 50 names, alone (the owner's process is looked up by
// bench/capture_rules/owner_lookup_bench under Wine). One clip per content: a capture into
// a history of 100,000 texts of about 1 KB, of a new text and of a text equal to a clip deep
// in the history, which then moves to the head; beside them the same with duplicates kept.
// Target: the exclusion check far under 50 microseconds; the capture as in capture_bench,
// not growing with the history.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "store/capture_exclusion.h"
#include "store/database.h"
#include "tests/support/clipboard_driver.h"

namespace {

std::u16string Numbered(const std::u16string& prefix, int number) {
  std::u16string text = prefix;
  for (char c : std::to_string(number)) text.push_back(static_cast<char16_t>(c));
  return text;
}

std::vector<std::u16string> FiftyProgramNames() {
  std::vector<std::u16string> names;
  for (int i = 0; i < 49; ++i) names.push_back(Numbered(u"Password Safe ", i) + u".exe");
  names.push_back(u"KeePass.exe");
  return names;
}

void BM_ExclusionCheckOfAPath(benchmark::State& state) {
  const CProgramExclusion exclusion(FiftyProgramNames());
  const std::u16string path = state.range(0) != 0
                                  ? u"C:\\Program Files\\KeePass Password Safe 2\\KEEPASS.EXE"
                                  : u"C:\\Program Files\\Mozilla Firefox\\firefox.exe";
  bool excluded = false;
  for (auto _ : state) {
    excluded = exclusion.Excludes(path);
    benchmark::DoNotOptimize(excluded);
  }
  state.SetLabel(excluded ? "listed" : "not listed");
}
BENCHMARK(BM_ExclusionCheckOfAPath)->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);

// 1 KB of text: 512 UTF-16 units, distinct by the number at its start.
std::u16string KilobyteText(int number) {
  std::u16string text = Numbered(u"clip ", number);
  text.resize(512, u'x');
  return text;
}

constexpr int kHistoryClips = 100'000;

class CFullHistory {
 public:
  explicit CFullHistory(bool keepDuplicates) {
    store.SetLimits({.capacity = kHistoryClips});
    CCaptureRules rules;
    rules.keepDuplicates = keepDuplicates;
    store.SetCaptureRules(rules);
    store.Attach(driver.OwnerWindow());
    for (int i = 0; i < kHistoryClips; ++i) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = KilobyteText(i);
      clip->textLength = static_cast<int>(clip->text.size());
      clip->categoryId = kHistoryCategoryId;
      store.AppendClip(std::move(clip));  // the oldest at the tail: clip 99999
    }
  }

  CClipboardDriver driver;
  CDataBase store;
};

// Each capture a text the history does not hold: one clip in, the oldest out.
void BM_CaptureOfANewText(benchmark::State& state) {
  CFullHistory history(state.range(0) != 0);
  int next = kHistoryClips;
  for (auto _ : state) {
    state.PauseTiming();
    history.driver.CopyText(KilobyteText(next++));
    state.ResumeTiming();
    history.store.CaptureClipboard();
  }
  state.counters["clips"] = static_cast<double>(history.store.Items().size());
  state.SetLabel(state.range(0) != 0 ? "duplicates kept" : "one clip per content");
}
BENCHMARK(BM_CaptureOfANewText)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Each capture the text of the oldest clip, 100,000 deep: it moves to the head (or, with
// duplicates kept, comes in again and the oldest goes), so the next one is as deep.
void BM_CaptureOfTheOldestClipsText(benchmark::State& state) {
  CFullHistory history(state.range(0) != 0);
  int oldest = kHistoryClips - 1;
  for (auto _ : state) {
    state.PauseTiming();
    history.driver.CopyText(KilobyteText(oldest));
    oldest = oldest == 0 ? kHistoryClips - 1 : oldest - 1;
    state.ResumeTiming();
    history.store.CaptureClipboard();
  }
  state.counters["clips"] = static_cast<double>(history.store.Items().size());
  state.SetLabel(state.range(0) != 0 ? "duplicates kept" : "one clip per content");
}
BENCHMARK(BM_CaptureOfTheOldestClipsText)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
