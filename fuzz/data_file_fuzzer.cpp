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
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get());
        image && image->HasPicture()) {
      // Counted as held at 32 bits, before anything is decoded.
      const TBitmap::Size pictureSize = *image->PictureSize();
      pixels += static_cast<std::size_t>(pictureSize.width) *
                static_cast<std::size_t>(pictureSize.height) * 4;
    }
  }
  if (pixels > kLargestRoundTrip) return 0;
  // Their images are decoded only now, as the program does when they are shown.
  for (const auto& clip : store.Items()) {
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get())) image->Picture();
  }
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase again;
  again.LoadFromMemory(saved);
  if (again.LastLoad().damaged || again.SaveToMemory() != saved) std::abort();
  return 0;
}
