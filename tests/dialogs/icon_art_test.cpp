// The program's own icons: enough distinct category icons, each with a transparent
// surround and a visible body, and resource files in the tree that are the generator's
// output.

#include "resources/icon_art.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"

namespace {

int Alpha(const TBitmap& picture, int x, int y) {
  return picture.Row(y)[x * 4 + 3];
}

// The pixels of icon `index` of a strip, alpha included.
std::vector<std::uint8_t> IconPixels(const TBitmap& strip, int index) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < kIconSide; ++y) {
    const std::uint8_t* row = strip.Row(y) + index * kIconSide * 4;
    pixels.insert(pixels.end(), row, row + kIconSide * 4);
  }
  return pixels;
}

int OpaquePixels(const TBitmap& strip, int index) {
  const int side = strip.Height();
  int opaque = 0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) opaque += Alpha(strip, index * side + x, y) == 255;
  }
  return opaque;
}

TEST(IconArtTest, ThereAreAtLeast24NamedCategoryIconsStartingWithTheCommonOnes) {
  const auto& names = CategoryIconNames();
  ASSERT_GE(names.size(), 24u);
  EXPECT_EQ(std::set<std::string_view>(names.begin(), names.end()).size(), names.size());
  const std::vector<std::string_view> first(names.begin(), names.begin() + 8);
  EXPECT_EQ(first, (std::vector<std::string_view>{"folder", "star", "heart", "flag", "code", "mail",
                                                  "link", "document"}));
}

TEST(IconArtTest, TheStripHoldsOne16By16IconPerNameAt32Bits) {
  const TBitmap strip = MakeCategoryIconsImage();
  EXPECT_EQ(strip.Width(), 16 * static_cast<int>(CategoryIconNames().size()));
  EXPECT_EQ(strip.Height(), 16);
  EXPECT_EQ(strip.BitsPerPixel(), 32);
}

TEST(IconArtTest, EveryIconHasATransparentSurroundAndAVisibleBody) {
  const TBitmap strip = MakeCategoryIconsImage();
  for (int i = 0; i < static_cast<int>(CategoryIconNames().size()); ++i) {
    const int left = i * kIconSide;
    int transparent = 0;
    for (int y = 0; y < kIconSide; ++y) {
      for (int x = 0; x < kIconSide; ++x) transparent += Alpha(strip, left + x, y) == 0;
    }
    EXPECT_GE(transparent, 10) << CategoryIconNames()[i];
    EXPECT_GE(OpaquePixels(strip, i), 20) << CategoryIconNames()[i];
  }
}

TEST(IconArtTest, NoTwoCategoryIconsAreAlike) {
  const TBitmap strip = MakeCategoryIconsImage();
  const int count = static_cast<int>(CategoryIconNames().size());
  for (int i = 0; i < count; ++i) {
    for (int j = i + 1; j < count; ++j) {
      EXPECT_FALSE(IconPixels(strip, i) == IconPixels(strip, j))
          << CategoryIconNames()[i] << " " << CategoryIconNames()[j];
    }
  }
}

TEST(IconArtTest, TheHotKeyMarkIsTheFirstOfTheMoreIcons) {
  const TBitmap more = MakeMoreIconsImage();
  EXPECT_EQ(more.Height(), 16);
  EXPECT_GE(more.Width(), 16);
  EXPECT_EQ(Alpha(more, 0, 0), 0);
  EXPECT_GE(OpaquePixels(more, 0), 30);
}

TEST(IconArtTest, TheIconFileHoldsTheSmallAndLargeIconsOf96To144Dpi) {
  const std::vector<std::uint8_t> file = MakeMainIconFile();
  const int sides[] = {16, 20, 24, 32, 40, 48};
  ASSERT_GE(file.size(), 6u + std::size(sides) * 16);
  EXPECT_EQ(file[2], 1);  // an icon
  EXPECT_EQ(file[4], std::size(sides));
  for (std::size_t i = 0; i < std::size(sides); ++i) EXPECT_EQ(file[6 + 16 * i], sides[i]);
  EXPECT_EQ(MakeMainIconImage(32).Width(), 32);
}

TEST(IconArtTest, TheTreesIconsAreDrawnAtTheSideOfAHigherDpi) {
  const TBitmap at16 = MakeCategoryIconsImage();
  const TBitmap at24 = MakeCategoryIconsImage(24);
  EXPECT_EQ(at24.Height(), 24);
  EXPECT_EQ(at24.Width(), at16.Width() / 16 * 24);
  const TBitmap mark = MakeMoreIconsImage(32);
  EXPECT_EQ(mark.Height(), 32);
  EXPECT_EQ(Alpha(mark, 0, 0), 0);
  // The same drawing, finer: about (32 / 16)^2 as many opaque pixels.
  const int small = OpaquePixels(MakeMoreIconsImage(), 0);
  EXPECT_NEAR(OpaquePixels(mark, 0), 4 * small, small);
}

#ifdef QUILLERY_SOURCE_DIR
std::vector<std::uint8_t> Committed(const char* name) {
  std::ifstream file(std::filesystem::path(QUILLERY_SOURCE_DIR) / "resources" / name,
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> BmpBytes(const TBitmap& picture) {
  CByteWriter writer;
  picture.WriteBmp(writer);
  return writer.Bytes();
}

TEST(IconArtTest, TheIconFilesInTheTreeAreTheGeneratorsOutput) {
  EXPECT_TRUE(Committed("category_icons.bmp") == BmpBytes(MakeCategoryIconsImage()))
      << "run the target update_icons";
  EXPECT_TRUE(Committed("more_icons.bmp") == BmpBytes(MakeMoreIconsImage()))
      << "run the target update_icons";
  EXPECT_TRUE(Committed("main_icon.ico") == MakeMainIconFile()) << "run the target update_icons";
}
#endif

}  // namespace
