// A store of screenshots: 1,000 pictures of 1920 x 1080 at 32 bits that compress as a
// screen does (flat windows, gradients, lines of small dark marks like text), saved and
// loaded with every picture in a BMP record (kind 2, as before) and in a PNG record (kind 6).
// Besides the times, the counters give the file's size, the pixel bytes the store holds and
// the PNG bytes it keeps beside them. The encoding of one picture, which the first save of a
// captured picture pays once, and its decoding, which every load pays, are measured alone.
//   picture_store_bench [--pictures=N] [--keep-files=DIR] [benchmark options]
// With --keep-files, the two files (DIR/bmp.dat, DIR/png.dat) stay for a load by the
// Windows build under Wine: time quillery-data.exe verify of each.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <memory>
#include <string>

#include "platform/sim/sim_control.h"
#include "store/data_file_format.h"
#include "store/database.h"
#include "store/image_item.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
int pictureCount = 1000;
// Where each store's file is copied, to be read by another build's quillery-data (Wine).
std::filesystem::path keptFilesFolder;

void Fill(TBitmap& picture, int x0, int y0, int x1, int y1, std::uint32_t colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, picture.Height()); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(picture.Row(y));
    for (int x = std::max(x0, 0); x < std::min(x1, picture.Width()); ++x) row[x] = colour;
  }
}

// A desktop with a few windows: a title bar, a toolbar with a gradient, a white page with
// lines of text-like marks (their shapes random, so that no two lines are alike), a side
// panel; what a screenshot holds, which compresses by its flat areas and not by repetition.
TBitmap Screenshot(int seed) {
  std::mt19937 random(static_cast<std::uint32_t>(seed) * 7919u + 1u);
  TBitmap picture(kWidth, kHeight, 32);
  for (int y = 0; y < kHeight; ++y) {
    const auto blue = static_cast<std::uint32_t>(90 + y * 100 / kHeight);
    Fill(picture, 0, y, kWidth, y + 1, 0xFF000000u | (30u << 16) | (60u << 8) | blue);
  }
  const int windows = 2 + seed % 3;
  for (int w = 0; w < windows; ++w) {
    const int left = static_cast<int>(random() % 700);
    const int top = static_cast<int>(random() % 300);
    const int right = left + 900 + static_cast<int>(random() % 300);
    const int bottom = top + 600 + static_cast<int>(random() % 150);
    Fill(picture, left, top, right, top + 32, 0xFF2B579Au);  // title bar
    for (int y = top + 32; y < top + 72; ++y) {              // toolbar gradient
      const auto grey = static_cast<std::uint32_t>(250 - (y - top - 32) * 2);
      Fill(picture, left, y, right, y + 1, 0xFF000000u | grey << 16 | grey << 8 | grey);
    }
    Fill(picture, left, top + 72, left + 220, bottom, 0xFFF3F3F3u);   // side panel
    Fill(picture, left + 220, top + 72, right, bottom, 0xFFFFFFFFu);  // page
    // Lines of text: words of glyph-sized marks, dark grey with anti-aliased edges.
    for (int line = top + 90; line + 14 < bottom; line += 20) {
      int x = left + 240;
      const int end = right - 20 - static_cast<int>(random() % 300);
      while (x < end) {
        const int word = 3 + static_cast<int>(random() % 8);
        for (int c = 0; c < word && x < end; ++c, x += 8) {
          for (int dy = 0; dy < 12; ++dy) {
            auto* row = reinterpret_cast<std::uint32_t*>(picture.Row(line + dy));
            const std::uint32_t bits = random();
            for (int dx = 0; dx < 7; ++dx) {
              if ((bits >> (dx * 3)) % 3 != 0) continue;
              const std::uint32_t ink = (bits >> dx) % 2 != 0 ? 0x20 : 0x90;
              row[x + dx] = 0xFF000000u | ink << 16 | ink << 8 | ink;
            }
          }
        }
        x += 8;
      }
    }
  }
  return picture;
}

// The store of `pictureCount` screenshots, each in the record `record`, saved to its file;
// made once for each kind.
struct PictureStore {
  explicit PictureStore(EPictureRecord kind) : record(kind) {
    sim::SkipDiskSync(true);
    for (int i = 0; i < pictureCount; ++i) {
      auto clip = std::make_unique<CImageItem>();
      clip->categoryId = kHistoryCategoryId;
      clip->SetPicture(Screenshot(i));
      clip->savedAs = record;
      store.AppendClip(std::move(clip));
    }
    path = folder.Path() / "data.dat";
    // Every picture encoded once, here, as the encoder's thread does after a capture: a save
    // never encodes, and writes a picture whose image is not made yet as a BMP record.
    if (record == EPictureRecord::kPng) {
      for (const auto& clip : store.Items()) static_cast<const CImageItem&>(*clip).EncodedPng();
    }
    store.SaveToFile(path);
    fileBytes = std::filesystem::file_size(path);
    if (!keptFilesFolder.empty()) {
      std::filesystem::copy_file(
          path, keptFilesFolder / (record == EPictureRecord::kPng ? "png.dat" : "bmp.dat"),
          std::filesystem::copy_options::overwrite_existing);
    }
  }

  // The PNG images a store of PNG records keeps beside the pixels (asked of a BMP store,
  // they would be encoded here).
  std::uint64_t KeptPngBytes() const {
    if (record != EPictureRecord::kPng) return 0;
    std::uint64_t bytes = 0;
    for (const auto& clip : store.Items()) {
      bytes += static_cast<const CImageItem&>(*clip).EncodedPng().size();
    }
    return bytes;
  }

  EPictureRecord record;
  CTempFolder folder;
  CDataBase store;
  std::filesystem::path path;
  std::uint64_t fileBytes = 0;
};

// One store in memory at a time: that of the kind asked for, made anew when it changes.
PictureStore& Store(EPictureRecord record) {
  static std::unique_ptr<PictureStore> current;
  static EPictureRecord currentRecord = EPictureRecord::kBmp;
  if (!current || currentRecord != record) {
    current.reset();
    current = std::make_unique<PictureStore>(record);
    currentRecord = record;
  }
  return *current;
}

EPictureRecord RecordOf(const benchmark::State& state) {
  return state.range(0) == kPngPictureRecord ? EPictureRecord::kPng : EPictureRecord::kBmp;
}

// The process's resident memory in MiB (Linux), 0 where it cannot be read.
double ResidentMebibytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

void Report(benchmark::State& state, const PictureStore& file) {
  const double mebibyte = 1024.0 * 1024.0;
  state.counters["resident_MiB"] = ResidentMebibytes();
  state.counters["pictures"] = pictureCount;
  state.counters["file_MiB"] = static_cast<double>(file.fileBytes) / mebibyte;
  state.counters["pixels_MiB"] =
      static_cast<double>(pictureCount) * kWidth * kHeight * 4 / mebibyte;
  state.counters["kept_png_MiB"] = static_cast<double>(file.KeptPngBytes()) / mebibyte;
}

void BM_SavePictureStore(benchmark::State& state) {
  PictureStore& file = Store(RecordOf(state));
  for (auto _ : state) file.store.SaveToFile(file.path);
  Report(state, file);
}

void BM_LoadPictureStore(benchmark::State& state) {
  PictureStore& file = Store(RecordOf(state));
  // Into the store that saved it (its pictures let go first), so that the pictures are
  // never held twice. Loaded pictures are saved as PNG by default: the BMP store is put back.
  for (auto _ : state) file.store.LoadFromFile(file.path);
  for (const auto& clip : file.store.Items()) static_cast<CImageItem&>(*clip).savedAs = file.record;
  if (file.store.LastLoad().damaged ||
      static_cast<int>(file.store.Items().size()) != pictureCount) {
    state.SkipWithError("the store did not load whole");
  }
  Report(state, file);
}

void BM_EncodeOneScreenshot(benchmark::State& state) {
  const TBitmap picture = Screenshot(1);
  std::size_t bytes = 0;
  for (auto _ : state) bytes = picture.ToPng().size();
  state.counters["png_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void BM_DecodeOneScreenshot(benchmark::State& state) {
  const std::vector<std::uint8_t> png = Screenshot(1).ToPng();
  for (auto _ : state) benchmark::DoNotOptimize(TBitmap::FromPng(png));
}

BENCHMARK(BM_EncodeOneScreenshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOneScreenshot)->Unit(benchmark::kMillisecond);
// The BMP store first, then the PNG one.
BENCHMARK(BM_SavePictureStore)
    ->Arg(kPictureRecord)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadPictureStore)
    ->Arg(kPictureRecord)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SavePictureStore)
    ->Arg(kPngPictureRecord)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LoadPictureStore)
    ->Arg(kPngPictureRecord)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--pictures=", 11) == 0) pictureCount = std::atoi(argv[i] + 11);
    if (std::strncmp(argv[i], "--keep-files=", 13) == 0) keptFilesFolder = argv[i] + 13;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
