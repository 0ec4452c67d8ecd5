// Peak memory of saving and of loading a store of about 2.4 GB of pictures, beside the
// size of the data file: what the file layer adds to the store it writes or reads.
//   large_store_memory save FILE   builds the store in memory and saves it to FILE
//   large_store_memory load FILE   loads FILE
// Prints the store's bytes and the resident size before and at the peak (Linux /proc).

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "store/database.h"
#include "store/image_item.h"

namespace {

constexpr int kPictures = 18;  // of 128 MiB each: 2.4 GB
constexpr int kWidth = 8192;
constexpr int kHeight = 4096;

// "VmRSS" or "VmHWM" of this process, in MiB.
double StatusMiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field) + 1)) / 1024;
  }
  return 0;
}

double StoreMiB(const CDataBase& store) {
  double bytes = 0;
  for (const auto& clip : store.Items()) {
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get())) {
      const std::shared_ptr<const TBitmap> picture = image->Picture();
      bytes += static_cast<double>(picture->Stride()) * picture->Height();
    }
  }
  return bytes / (1 << 20);
}

void Report(const char* what, const CDataBase& store, double before,
            const std::filesystem::path& file) {
  const double peak = StatusMiB("VmHWM:");
  std::printf(
      "%s: file %.0f MiB, store %.0f MiB, resident before %.0f MiB, peak %.0f MiB, "
      "peak beyond the store %.0f MiB\n",
      what, static_cast<double>(std::filesystem::file_size(file)) / (1 << 20), StoreMiB(store),
      before, peak, peak - StoreMiB(store));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: large_store_memory save|load FILE\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::filesystem::path file = argv[2];
  CDataBase store;
  if (mode == "save") {
    for (int i = 0; i < kPictures; ++i) {
      auto clip = std::make_unique<CImageItem>();
      clip->categoryId = kHistoryCategoryId;
      TBitmap picture(kWidth, kHeight, 32);
      for (int y = 0; y < kHeight; ++y) picture.Row(y)[0] = static_cast<std::uint8_t>(i + y);
      clip->SetPicture(std::move(picture));
      store.AppendClip(std::move(clip));
    }
    const double before = StatusMiB("VmRSS:");
    store.SaveToFile(file);
    Report("save", store, before, file);
    return 0;
  }
  if (mode == "load") {
    const double before = StatusMiB("VmRSS:");
    store.LoadFromFile(file);
    if (store.LastLoad().damaged || store.Items().size() != kPictures) {
      std::fprintf(stderr, "the file did not load whole\n");
      return 1;
    }
    Report("load", store, before, file);
    return 0;
  }
  std::fprintf(stderr, "usage: large_store_memory save|load FILE\n");
  return 2;
}
