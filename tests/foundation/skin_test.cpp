// The skin: its colours at the rows that are fixed, smooth gradients between them, and the
// picture the store hands out. On Windows that picture comes from the executable's
// resource, so the test also checks that the resource is what the generator makes.

#include "foundation/skin_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "foundation/byte_writer.h"
#include "foundation/settings_storage.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr std::uint32_t Rgb(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
}

int Channel(std::uint32_t colour, int shift) {
  return static_cast<int>(colour >> shift & 0xFF);
}

TEST(SkinTest, TheFixedRowsHaveTheirColours) {
  EXPECT_EQ(SkinRowColour(0), Rgb(168, 124, 64));
  EXPECT_EQ(SkinRowColour(1), Rgb(245, 200, 115));
  EXPECT_EQ(SkinRowColour(12), Rgb(238, 186, 101));
  EXPECT_EQ(SkinRowColour(25), Rgb(224, 164, 80));
  EXPECT_EQ(SkinRowColour(26), Rgb(202, 227, 248));
  EXPECT_EQ(SkinRowColour(38), Rgb(186, 218, 246));
  EXPECT_EQ(SkinRowColour(51), Rgb(163, 203, 243));
  EXPECT_EQ(SkinRowColour(52), Rgb(226, 240, 250));
  EXPECT_EQ(SkinRowColour(64), Rgb(216, 235, 250));
  EXPECT_EQ(SkinRowColour(77), Rgb(202, 227, 248));
  EXPECT_EQ(SkinRowColour(78), Rgb(103, 164, 229));
  EXPECT_EQ(SkinRowColour(90), Rgb(80, 140, 221));
  EXPECT_EQ(SkinRowColour(103), Rgb(45, 107, 213));
}

TEST(SkinTest, WithinABandEachChannelMovesOneWayInSmallSteps) {
  const int anchors[] = {1, 12, 25, 26, 38, 51, 52, 64, 77, 78, 90, 103};
  for (std::size_t a = 0; a + 1 < std::size(anchors); ++a) {
    if (anchors[a + 1] % kSkinBandRows == 0) continue;  // the next band starts afresh
    for (int shift : {16, 8, 0}) {
      const int from = Channel(SkinRowColour(anchors[a]), shift);
      const int to = Channel(SkinRowColour(anchors[a + 1]), shift);
      const int steps = anchors[a + 1] - anchors[a];
      for (int row = anchors[a]; row < anchors[a + 1]; ++row) {
        const int step =
            Channel(SkinRowColour(row + 1), shift) - Channel(SkinRowColour(row), shift);
        EXPECT_TRUE(to >= from ? step >= 0 : step <= 0) << "row " << row;
        EXPECT_LE(std::abs(step), std::abs(to - from) / steps + 1) << "row " << row;
      }
    }
  }
}

TEST(SkinTest, ThePictureIs50By104At24BitsEachRowOfOneColour) {
  const TBitmap skin = MakeSkinImage();
  ASSERT_EQ(skin.Width(), 50);
  ASSERT_EQ(skin.Height(), 104);
  EXPECT_EQ(skin.BitsPerPixel(), 24);
  for (int y = 0; y < skin.Height(); ++y) {
    for (int x : {0, 17, 49}) EXPECT_EQ(skin.PixelColor(x, y), SkinRowColour(y)) << x << "," << y;
  }
}

TEST(SkinTest, TheStoreLoadsTheSkinOnceAndItIsTheGeneratorsPicture) {
  CTempFolder folder;
  Settings::CSettingsStorage store(folder.Path() / "q.ini", true);
  const TBitmap& skin = store.GetSkin();
  EXPECT_EQ(&store.GetSkin(), &skin);
  EXPECT_TRUE(skin == MakeSkinImage());
}

#ifdef QUILLERY_SOURCE_DIR
TEST(SkinTest, TheResourceFileInTheTreeIsTheGeneratorsOutput) {
  std::ifstream file(std::filesystem::path(QUILLERY_SOURCE_DIR) / "resources" / "main_skin.bmp",
                     std::ios::binary);
  const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(file),
                                            std::istreambuf_iterator<char>()};
  CByteWriter generated;
  MakeSkinImage().WriteBmp(generated);
  EXPECT_TRUE(committed == generated.Bytes()) << "run the target update_skin";
}
#endif

}  // namespace
