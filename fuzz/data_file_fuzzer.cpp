// Loads arbitrary bytes as a data file. Beyond not crashing, whatever was loaded must save
// and load back cleanly to the very same bytes. A few header bytes may rightly make a
// picture of up to 512 MiB (its image-size field says so); the round trip of such a store
// takes seconds, so it is left to stores of modest pictures.

#include <cstdint>
#include <cstdlib>

#include "store/database.h"
#include "store/image_item.h"

namespace {
constexpr std::size_t kLargestRoundTrip = std::size_t{64} << 20;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CDataBase store;
  store.LoadFromMemory(std::span(data, size));
  std::size_t pixels = 0;
  for (const auto& clip : store.Items()) {
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get()); image && image->picture) {
      pixels += image->picture->Stride() * static_cast<std::size_t>(image->picture->Height());
    }
  }
  if (pixels > kLargestRoundTrip) return 0;
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase again;
  again.LoadFromMemory(saved);
  if (again.LastLoad().damaged || again.SaveToMemory() != saved) std::abort();
  return 0;
}
