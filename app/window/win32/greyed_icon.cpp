#include "app/window/win32/greyed_icon.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Lighter than the darkest colour and darker than white, as a disabled picture looks.
std::uint32_t GreyedIconPixel(std::uint32_t bgra) {
  const std::uint32_t blue = bgra & 0xFF;
  const std::uint32_t green = (bgra >> 8) & 0xFF;
  const std::uint32_t red = (bgra >> 16) & 0xFF;
  const std::uint32_t luminance = (red * 77 + green * 150 + blue * 29) >> 8;
  const std::uint32_t grey = 96 + luminance / 2;
  return (bgra & 0xFF000000) | (grey << 16) | (grey << 8) | grey;
}

}  // namespace

UniqueIcon MakeGreyedIcon(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
  // GetIconInfo hands over copies of both bitmaps.
  const UniqueBitmap color(info.hbmColor);
  const UniqueBitmap mask(info.hbmMask);
  if (!color) return {};
  BITMAP size{};
  if (GetObjectW(color.get(), sizeof size, &size) == 0 || size.bmWidth <= 0 || size.bmHeight <= 0) {
    return {};
  }
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.bmWidth;
  format.bmiHeader.biHeight = -size.bmHeight;  // top-down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.bmWidth) *
                                    static_cast<std::size_t>(size.bmHeight));
  const WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), color.get(), 0, static_cast<UINT>(size.bmHeight), pixels.data(),
                &format, DIB_RGB_COLORS) != size.bmHeight) {
    return {};
  }
  for (std::uint32_t& pixel : pixels) pixel = GreyedIconPixel(pixel);
  void* bits = nullptr;
  const UniqueBitmap greyed(
      CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!greyed || bits == nullptr) return {};
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
  // The mask keeps the shape of an icon without an alpha channel; the alpha kept in the
  // pixels keeps that of one with.
  ICONINFO greyedInfo{};
  greyedInfo.fIcon = TRUE;
  greyedInfo.hbmMask = mask.get();
  greyedInfo.hbmColor = greyed.get();
  return UniqueIcon(CreateIconIndirect(&greyedInfo));  // copies both bitmaps
}
