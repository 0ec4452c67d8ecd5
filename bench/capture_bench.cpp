// The cost of one clipboard capture when the history is full and large: 10,000 clips at
// a capacity of 10,000, so every capture adds one clip and trims one. Target: median
// under 50 microseconds for a 1 KB text.

#include <benchmark/benchmark.h>

#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "store/database.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/temp_folder.h"

namespace {

void BM_CaptureIntoFullHistory(benchmark::State& state) {
  const int clips = static_cast<int>(state.range(0));
  CTempFolder folder;
  Settings::CreateSettings(folder.Path() / "quillery.ini", true);
  Settings::SettingsInstance().SetInt(Settings::kClipboardCapacity, clips);
  CClipboardDriver driver;
  CDataBase store;
  store.Attach(driver.OwnerWindow());

  // 1 KB of text: 512 UTF-16 units.
  std::u16string text(512, u'x');
  for (int i = 0; i < clips; ++i) {
    text[0] = static_cast<char16_t>(u'a' + i % 26);
    driver.CopyText(text);
    store.CaptureClipboard();
  }
  for (auto _ : state) {
    store.CaptureClipboard();  // the same content again: one clip in, one out
  }
  state.counters["clips"] = static_cast<double>(store.Items().size());
  Settings::ReleaseSettings();
}
BENCHMARK(BM_CaptureIntoFullHistory)->Arg(12)->Arg(10000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
