// Scaling pictures down for thumbnails. Each target pixel averages the source pixels in
// the rectangle it covers, which keeps text and fine lines legible where dropping pixels
// would not.

#include <algorithm>
#include <cstdint>

#include "foundation/bitmap.h"

namespace {

// The source span [first, last) that target pixel `index` of `target` covers; at least one
// pixel, so that enlarging works too.
std::pair<int, int> Span(int index, int target, int source) {
  const auto first = static_cast<int>(std::int64_t{index} * source / target);
  auto last = static_cast<int>((std::int64_t{index + 1} * source + target - 1) / target);
  last = std::clamp(last, first + 1, source);
  return {first, last};
}

// A pixel of that opacity as it shows on a white row.
std::uint32_t OverWhite(std::uint32_t colour, std::uint32_t alpha) {
  std::uint32_t shown = 0;
  for (int shift : {16, 8, 0}) {
    const std::uint32_t channel = colour >> shift & 0xFF;
    shown |= ((channel * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
  }
  return shown;
}

}  // namespace

TBitmap TBitmap::ScaledByAreaAverage(int width, int height) const {
  TBitmap scaled(width, height, 24);
  for (int ty = 0; ty < height; ++ty) {
    const auto [y0, y1] = Span(ty, height, height_);
    std::uint8_t* out = scaled.Row(ty);
    for (int tx = 0; tx < width; ++tx) {
      const auto [x0, x1] = Span(tx, width, width_);
      std::uint64_t red = 0, green = 0, blue = 0;
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          std::uint32_t colour = PixelColor(x, y);
          if (alpha_) colour = OverWhite(colour, Row(y)[static_cast<std::size_t>(x) * 4 + 3]);
          red += colour >> 16 & 0xFF;
          green += colour >> 8 & 0xFF;
          blue += colour & 0xFF;
        }
      }
      const std::uint64_t pixels =
          static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
      *out++ = static_cast<std::uint8_t>((blue + pixels / 2) / pixels);
      *out++ = static_cast<std::uint8_t>((green + pixels / 2) / pixels);
      *out++ = static_cast<std::uint8_t>((red + pixels / 2) / pixels);
    }
  }
  return scaled;
}
