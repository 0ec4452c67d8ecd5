// The paused look of the tray icon, drawn from the icon itself.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/window/win32/greyed_icon.h"

namespace {

constexpr int kSide = 16;

std::vector<std::uint32_t> ColorPixels(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const UniqueBitmap color(info.hbmColor);
  const UniqueBitmap mask(info.hbmMask);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = kSide;
  format.bmiHeader.biHeight = -kSide;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(kSide * kSide);
  const WindowDc screen(nullptr);
  if (!color || GetDIBits(screen.get(), color.get(), 0, kSide, pixels.data(), &format,
                          DIB_RGB_COLORS) != kSide) {
    return {};
  }
  return pixels;
}

// A red square on a transparent ring, with an alpha channel.
UniqueIcon RedIcon() {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = kSide;
  format.bmiHeader.biHeight = -kSide;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  const WindowDc screen(nullptr);
  void* bits = nullptr;
  const UniqueBitmap color(
      CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint32_t> pixels(kSide * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool ring = x < 2 || y < 2 || x >= kSide - 2 || y >= kSide - 2;
      pixels[y * kSide + x] = ring ? 0x00000000 : 0xFFE02010;
    }
  }
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
  const UniqueBitmap mask(CreateBitmap(kSide, kSide, 1, 1, nullptr));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask.get();
  info.hbmColor = color.get();
  return UniqueIcon(CreateIconIndirect(&info));
}

TEST(GreyedIconTest, ColoursTurnGreyAndTheTransparencyStays) {
  const UniqueIcon red = RedIcon();
  ASSERT_TRUE(red);
  const std::vector<std::uint32_t> before = ColorPixels(red.get());
  ASSERT_EQ(before.size(), static_cast<std::size_t>(kSide * kSide));
  const UniqueIcon greyed = MakeGreyedIcon(red.get());
  ASSERT_TRUE(greyed);
  const std::vector<std::uint32_t> after = ColorPixels(greyed.get());
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    const std::uint32_t pixel = after[i];
    EXPECT_EQ(pixel >> 24, before[i] >> 24) << i;  // alpha
    EXPECT_EQ(pixel & 0xFF, (pixel >> 8) & 0xFF) << i;
    EXPECT_EQ(pixel & 0xFF, (pixel >> 16) & 0xFF) << i;
  }
  EXPECT_NE(after[8 * kSide + 8], before[8 * kSide + 8]);
}

TEST(GreyedIconTest, AnIconWithoutColoursHasNoGreyedLook) {
  const std::uint8_t andBits[kSide * kSide / 8] = {};
  const std::uint8_t xorBits[kSide * kSide / 8] = {};
  const UniqueIcon monochrome(
      CreateIcon(GetModuleHandleW(nullptr), kSide, kSide, 1, 1, andBits, xorBits));
  ASSERT_TRUE(monochrome);
  EXPECT_FALSE(MakeGreyedIcon(monochrome.get()));
  EXPECT_FALSE(MakeGreyedIcon(nullptr));
}

}  // namespace
