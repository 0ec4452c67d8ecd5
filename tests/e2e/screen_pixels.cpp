#include "tests/e2e/screen_pixels.h"

#include "platform/win32/gdi.h"

ScreenImage ScreenPixels(const RECT& rect) {
  ScreenImage image;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return image;
  const WindowDc screen(nullptr);
  UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap picture(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture || bits == nullptr) return image;
  {
    SelectGuard selected(copy.get(), picture.get());
    if (!BitBlt(copy.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY))
      return image;
  }
  GdiFlush();
  image.width = width;
  image.height = height;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  // BGRA in memory is 0x00RRGGBB as a little-endian word.
  image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : image.pixels) pixel &= 0xFFFFFF;
  return image;
}
