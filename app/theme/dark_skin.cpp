#include "app/theme/dark_skin.h"

#include <cstdint>

TBitmap MakeDarkSkin(const TBitmap& light) {
  if (light.Empty()) return {};
  TBitmap dark(light.Width(), light.Height(), 24);
  for (int y = 0; y < light.Height(); ++y) {
    std::uint8_t* pixel = dark.Row(y);
    for (int x = 0; x < light.Width(); ++x, pixel += 3) {
      const std::uint32_t colour = light.PixelColor(x, y);
      pixel[0] = static_cast<std::uint8_t>((colour & 0xFF) / 4);
      pixel[1] = static_cast<std::uint8_t>(((colour >> 8) & 0xFF) / 4);
      pixel[2] = static_cast<std::uint8_t>(((colour >> 16) & 0xFF) / 4);
    }
  }
  return dark;
}
