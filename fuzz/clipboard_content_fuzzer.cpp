// Reads arbitrary bytes as other programs' clipboard content: a CF_HDROP file list, a
// packed DIB (CF_DIB, CF_DIBV5) and a PNG image. A list that reads must write and read back
// the same; a DIB picture must go out as a CF_DIBV5 and come back equal (up to 64 MiB of
// pixels, as in the BMP fuzzer).

#include <cstdint>
#include <cstdlib>

#include "foundation/bitmap.h"
#include "store/file_list_item.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::vector<std::u16string> paths = PathsOfDropList(bytes);
  if (!paths.empty() && PathsOfDropList(DropListOf(paths)) != paths) std::abort();

  if (const std::optional<TBitmap> picture = TBitmap::FromPackedDib(bytes)) {
    if (picture->Stride() * static_cast<std::size_t>(picture->Height()) <=
        (std::size_t{64} << 20)) {
      const std::optional<TBitmap> again = TBitmap::FromPackedDib(picture->ToPackedDibV5());
      if (!again || again->ToRgb32() != picture->ToRgb32() ||
          again->HasAlpha() != picture->HasAlpha()) {
        std::abort();
      }
    }
  }
  if (size < (std::size_t{1} << 20)) static_cast<void>(TBitmap::FromPng(bytes));
  return 0;
}
