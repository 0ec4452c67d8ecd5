// The costs that grow with the history, at 1,000 and at 100,000 history clips of 1 KB
// (beside them 200 notes and 20 categories of 20 clips each), mirrored into the recording
// view:
// - a search keystroke: the first key of a store never searched, a one-letter query that
//   finds every text clip, the last key of a query that finds one clip, and each key of
//   "invoice 4471" typed letter by letter and backspaced over (median);
// - unfolding the history row and reading the rows it shows (its first page);
// - a capture and its rebuild with the history folded and unfolded;
// - what the automatic save walks after a change: the store's fingerprint (now only every
//   few seconds, for changes written past the store's counting) and the journal's frames.
// Targets: a search keystroke over 100,000 clips under 2 ms median; a capture at 100,000
// clips within 1.2 times the figure at 1,000.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/autosave/store_fingerprint.h"
#include "bench/search_corpus.h"
#include "categories/recording_tree_view.h"
#include "categories/tree_search.h"
#include "store/data_journal.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"

namespace {

// The text of the one clip that kOneClipQuery finds.
constexpr char16_t kOneClipText[] = u"The zebracrossing near the station";
constexpr char16_t kOneClipQuery[] = u"zebracrossing";

std::unique_ptr<CBaseItem> ScaleText(std::u16string text, int categoryId) {
  auto clip = std::make_unique<CTextItem>();
  clip->text = std::move(text);
  clip->textLength = static_cast<int>(clip->text.size());
  clip->categoryId = categoryId;
  return clip;
}

// A long-used program's store with `historyClips` clips in its history, mirrored into a
// recording view with every category folded.
class CScaleStore {
 public:
  explicit CScaleStore(int historyClips) {
    handler.SetLimits({.capacity = historyClips});
    handler.AttachTree(&view, driver.OwnerWindow());
    std::vector<int> categories;
    for (int i = 0; i < 20; ++i) {
      categories.push_back(handler.AddCategory(CCategory{
          0, i < 10 ? 0 : categories[static_cast<std::size_t>(i - 10)], 0, 0, u"category"}));
    }
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
      handler.AppendClip(ScaleText(SearchCorpusText(random, i), kNotesCategoryId));
    }
    for (int i = 0; i < 400; ++i) {
      handler.AppendClip(
          ScaleText(SearchCorpusText(random, i), categories[static_cast<std::size_t>(i % 20)]));
    }
    for (int i = 0; i < historyClips; ++i) {
      handler.AppendClip(ScaleText(
          i == historyClips / 2 ? std::u16string(kOneClipText) : SearchCorpusText(random, i),
          kHistoryCategoryId));
    }
    handler.RebuildTree();
  }

  TTreeNode* HistoryRow() { return handler.Root().Order().front()->treeNode; }

  CClipboardDriver driver;
  CRecordingTreeView view;
  CClipboardHandler handler;
};

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

// The first key typed into a store that was never searched.
void BM_FirstKeystroke(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<CScaleStore>(static_cast<int>(state.range(0)));
    CTreeSearch search;
    state.ResumeTiming();
    search.SetText(store->handler, u"i");
    state.PauseTiming();
    state.counters["matches"] = store->handler.SearchMatches();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstKeystroke)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arg 1: 0, the one-letter query "e" that finds every text clip, typed into the empty
// field; 1, the last key of a query that finds one clip. Searched once before, so that
// only what a search keeps is warm.
void BM_Keystroke(benchmark::State& state) {
  CScaleStore store(static_cast<int>(state.range(0)));
  const bool oneClip = state.range(1) != 0;
  const std::u16string query = oneClip ? std::u16string(kOneClipQuery) : u"e";
  CTreeSearch search;
  search.SetText(store.handler, query);
  search.End(store.handler);
  for (auto _ : state) {
    state.PauseTiming();
    if (oneClip) search.SetText(store.handler, query.substr(0, query.size() - 1));
    state.ResumeTiming();
    search.SetText(store.handler, query);
    state.PauseTiming();
    state.counters["matches"] = store.handler.SearchMatches();
    search.End(store.handler);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Keystroke)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({1000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// "invoice 4471" typed letter by letter, then backspaced over to "invoice": the median and
// the slowest keystroke.
void BM_TypedQuery(benchmark::State& state) {
  CScaleStore store(static_cast<int>(state.range(0)));
  std::vector<std::u16string> texts;
  const std::u16string typed(kSearchQuery);
  for (std::size_t i = 1; i <= typed.size(); ++i) texts.push_back(typed.substr(0, i));
  for (std::size_t i = typed.size() - 1; i >= 7; --i) texts.push_back(typed.substr(0, i));
  CTreeSearch search;
  std::vector<double> times;
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      const auto start = std::chrono::steady_clock::now();
      search.SetText(store.handler, text);
      times.push_back(Milliseconds(start));
    }
    state.PauseTiming();
    search.End(store.handler);
    state.ResumeTiming();
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
}
BENCHMARK(BM_TypedQuery)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The history row unfolded, and the rows below it read as a view lays them out.
void BM_UnfoldHistory(benchmark::State& state) {
  CScaleStore store(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    store.view.SetExpanded(store.HistoryRow(), true);
    benchmark::DoNotOptimize(store.view.ChildRows(store.HistoryRow()));
    state.PauseTiming();
    store.view.SetExpanded(store.HistoryRow(), false);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UnfoldHistory)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(20);

// The text of the copy numbered `copied`: one the history does not hold yet.
std::u16string CopiedText(int copied) {
  return u"captured text number " + std::u16string(1, static_cast<char16_t>(u'a' + copied % 26)) +
         std::u16string(static_cast<std::size_t>(copied % 500), u'x');
}

// Arg 1: 0 folded, 1 unfolded history. A new text each time into a full history, so that
// the oldest clip leaves as the new one comes.
void BM_Capture(benchmark::State& state) {
  CScaleStore store(static_cast<int>(state.range(0)));
  store.view.SetExpanded(store.HistoryRow(), state.range(1) != 0);
  int copied = 0;
  for (auto _ : state) {
    state.PauseTiming();
    store.driver.CopyText(CopiedText(copied++));
    state.ResumeTiming();
    store.handler.CaptureClipboard();
    store.handler.RebuildTree();
  }
  state.counters["rows"] = static_cast<double>(store.view.RowCount());
}
BENCHMARK(BM_Capture)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What the automatic save looks at after a capture: whether the store changed (its
// fingerprint) and the journal's frames for the change.
void BM_SaverLookAfterCapture(benchmark::State& state) {
  CScaleStore store(static_cast<int>(state.range(0)));
  CJournalDiff journal;
  journal.Reset(store.handler);
  int copied = 0;
  for (auto _ : state) {
    state.PauseTiming();
    store.driver.CopyText(CopiedText(copied++));
    store.handler.CaptureClipboard();
    state.ResumeTiming();
    if (state.range(1) & 1) benchmark::DoNotOptimize(StoreFingerprint(store.handler));
    if (state.range(1) & 2) benchmark::DoNotOptimize(journal.ChangesFromLog(store.handler));
  }
}
BENCHMARK(BM_SaverLookAfterCapture)
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
