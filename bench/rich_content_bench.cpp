// Formatted text: the capture of a 1 KB text with 100 KB of HTML and 100 KB of RTF into a
// store of 10,000 clips (target: median under 100 microseconds), and saving and loading
// 10,000 such clips (about 2 GB) beside one plain write and read call of the same bytes
// (target: at most 1.5 times; neither waits for the disk to flush).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/sim/sim_control.h"
#include "store/database.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kClips = 10000;
constexpr std::size_t kFormatBytes = 100 * 1024;

std::vector<std::uint8_t> Filler(char first) {
  std::vector<std::uint8_t> bytes(kFormatBytes, 'x');
  bytes[0] = static_cast<std::uint8_t>(first);
  return bytes;
}

void BM_CaptureFormattedText(benchmark::State& state) {
  CClipboardDriver driver;
  CDataBase store;
  store.SetLimits({.capacity = kClips + 1});
  store.Attach(driver.OwnerWindow());
  std::u16string text(512, u'x');  // 1 KB
  for (int i = 0; i < kClips; ++i) {
    text[0] = static_cast<char16_t>(u'a' + i % 26);
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->categoryId = kHistoryCategoryId;
    store.AppendClip(std::move(clip));
  }
  text[0] = u'!';
  std::u16string terminated = text + u'\0';
  const auto* units = reinterpret_cast<const std::uint8_t*>(terminated.data());
  driver.CopyFormats(
      {{CF_UNICODETEXT, std::vector<std::uint8_t>(units, units + terminated.size() * 2)},
       {RegisterClipboardFormatA("HTML Format"), Filler('<')},
       {RegisterClipboardFormatA("Rich Text Format"), Filler('{')}});
  for (auto _ : state) {
    store.CaptureClipboard();  // a new clip at the head, formats and all
    state.PauseTiming();
    store.DeleteItem(store.Items().front()->id);  // so that the next capture is new again
    state.ResumeTiming();
  }
  state.counters["clips"] = static_cast<double>(store.Items().size());
}
BENCHMARK(BM_CaptureFormattedText)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

struct RichFile {
  RichFile() {
    sim::SkipDiskSync(true);
    std::u16string text(512, u'x');
    for (int i = 0; i < kClips; ++i) {
      auto clip = std::make_unique<CTextItem>();
      text[0] = static_cast<char16_t>(u'a' + i % 26);
      clip->text = text;
      clip->categoryId = kHistoryCategoryId;
      clip->formats = {{u"HTML Format", Filler('<')}, {u"Rich Text Format", Filler('{')}};
      store.AppendClip(std::move(clip));
    }
    path = folder.Path() / "data.dat";
    store.SaveToFile(path);
    size = std::filesystem::file_size(path);
  }

  CTempFolder folder;
  CDataBase store;
  std::filesystem::path path;
  std::size_t size = 0;
};

RichFile& File() {
  static RichFile file;
  return file;
}

// The whole file in fresh memory, by one read call (Linux moves at most about 2 GB a call).
std::vector<std::uint8_t> ReadInOneCall() {
  std::vector<std::uint8_t> buffer(File().size);
  int file = ::open(File().path.c_str(), O_RDONLY);
  benchmark::DoNotOptimize(::read(file, buffer.data(), buffer.size()));
  ::close(file);
  return buffer;
}

void BM_LoadRichDataFile(benchmark::State& state) {
  File();
  for (auto _ : state) {
    CDataBase store;
    store.LoadFromFile(File().path);
    benchmark::DoNotOptimize(store.Items().size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().size));
}

void BM_ReadRichFileInOneCall(benchmark::State& state) {
  File();
  for (auto _ : state) benchmark::DoNotOptimize(ReadInOneCall().size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().size));
}

void BM_SaveRichDataFile(benchmark::State& state) {
  File();
  for (auto _ : state) File().store.SaveToFile(File().path);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().size));
}

void BM_WriteRichBytesInOneCall(benchmark::State& state) {
  File();
  const std::vector<std::uint8_t> bytes = ReadInOneCall();
  const auto target = File().folder.Path() / "plain.dat";
  for (auto _ : state) {
    int file = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(file, bytes.data(), bytes.size()));
    ::close(file);
  }
  std::filesystem::remove(target);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().size));
}

BENCHMARK(BM_LoadRichDataFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadRichFileInOneCall)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveRichDataFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteRichBytesInOneCall)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
