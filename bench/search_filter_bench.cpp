// Type-to-search over a large store: 10,000 history clips of 1 KB each, mirrored into the
// recording view. Each iteration is one keystroke of a query typed letter by letter
// ("invoice 4471": the words, then the number, then backspaces over it), including the
// rebuild of the tree mirror that shows the matches. Target: median under 5 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "bench/search_corpus.h"
#include "categories/recording_tree_view.h"
#include "categories/tree_search.h"
#include "search/clip_query.h"
#include "search/search_fold.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"

namespace {

constexpr int kClips = kSearchCorpusClips;

void BM_SearchKeystroke(benchmark::State& state) {
  CClipboardDriver driver;
  CRecordingTreeView view;
  CClipboardHandler handler;
  handler.SetLimits({.capacity = kClips});
  handler.AttachTree(&view, driver.OwnerWindow());
  std::mt19937 random(7);
  for (int i = 0; i < kClips; ++i) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = SearchCorpusText(random, i);
    clip->textLength = static_cast<int>(clip->text.size());
    clip->categoryId = kHistoryCategoryId;
    handler.AppendClip(std::move(clip));
  }
  handler.RebuildTree();
  view.SetExpanded(view.ChildRows(nullptr).front(), true);

  // What the field holds after each keystroke.
  std::vector<std::u16string> texts;
  const std::u16string typed(kSearchQuery);
  for (std::size_t i = 1; i <= typed.size(); ++i) texts.push_back(typed.substr(0, i));
  for (std::size_t i = typed.size() - 1; i >= 8; --i) texts.push_back(typed.substr(0, i));

  CTreeSearch search;
  std::size_t keystroke = 0;
  std::vector<double> times;  // of each keystroke, in milliseconds
  for (auto _ : state) {
    if (keystroke == texts.size()) {
      state.PauseTiming();
      search.End(handler);
      keystroke = 0;
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    search.SetText(handler, texts[keystroke++]);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
  state.counters["matches"] = handler.SearchMatches();
  search.End(handler);
}
BENCHMARK(BM_SearchKeystroke)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The first keystroke of a search, when no clip's text has been folded yet.
void BM_FirstKeystrokeOfANewStore(benchmark::State& state) {
  CClipboardDriver driver;
  std::mt19937 random(7);
  std::vector<std::u16string> texts;
  for (int i = 0; i < kClips; ++i) texts.push_back(SearchCorpusText(random, i));
  for (auto _ : state) {
    state.PauseTiming();
    CRecordingTreeView view;
    auto handler = std::make_unique<CClipboardHandler>();
    handler->SetLimits({.capacity = kClips});
    handler->AttachTree(&view, driver.OwnerWindow());
    for (const std::u16string& text : texts) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = text;
      clip->textLength = static_cast<int>(text.size());
      clip->categoryId = kHistoryCategoryId;
      handler->AppendClip(std::move(clip));
    }
    handler->RebuildTree();
    CTreeSearch search;
    state.ResumeTiming();
    search.SetText(*handler, u"i");
    state.PauseTiming();
    handler.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstKeystrokeOfANewStore)->Unit(benchmark::kMillisecond)->Iterations(5);

// The longest query, one letter repeated and then another, against a 10 MB clip of that
// letter: a search that starts again after each partial match compares every byte of the
// clip with most of the query. Target: under 100 ms, in proportion to the clip alone.
void BM_LongestQueryInALargeClip(benchmark::State& state) {
  const std::string folded = FoldForSearch(std::u16string(10 * 1024 * 1024, u'a'));
  std::u16string typed(CClipQuery::kMaxQueryLength - 1, u'a');
  typed += u'b';
  const CClipQuery query(typed);
  for (auto _ : state) {
    benchmark::DoNotOptimize(query.MatchesFolded(folded));
  }
}
BENCHMARK(BM_LongestQueryInALargeClip)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
