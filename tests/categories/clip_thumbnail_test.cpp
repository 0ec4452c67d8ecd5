// Picture rows' thumbnails, made when first looked at: building rows decodes no picture.

#include <gtest/gtest.h>

#include <memory>

#include "categories/clip_node_fill.h"
#include "categories/clip_thumbnail.h"
#include "store/image_item.h"
#include "store/png_picture.h"

namespace {

TBitmap StripedPicture() {
  TBitmap picture(40, 44, 24);
  for (int y = 0; y < picture.Height(); ++y) picture.Row(y)[0] = y % 2 == 0 ? 200 : 100;
  return picture;
}

TEST(ClipThumbnailTest, IsMadeOnceWhenFirstLookedAtAndTellsAFailure) {
  int made = 0;
  CClipThumbnail thumbnail(
      [&made] {
        ++made;
        return std::make_unique<TBitmap>(4, 2, 24);
      },
      2);
  EXPECT_EQ(made, 0);
  EXPECT_EQ(thumbnail.Height(), 2);
  ASSERT_TRUE(thumbnail);
  EXPECT_EQ(thumbnail->Width(), 4);
  EXPECT_EQ(made, 1);
  EXPECT_FALSE(thumbnail.Failed());

  int tried = 0;
  CClipThumbnail failing(
      [&tried] {
        ++tried;
        return std::unique_ptr<TBitmap>();
      },
      22);
  EXPECT_FALSE(failing);
  EXPECT_EQ(failing, nullptr);
  EXPECT_TRUE(failing.Failed());
  EXPECT_EQ(tried, 1);  // not tried again at every paint
}

TEST(ClipThumbnailTest, ARowOfAPictureKeptAsItsImageDecodesItOnlyWhenDrawn) {
  CImageItem clip;
  clip.AssignPng(StripedPicture().ToPng());
  ForgetRecentlyDecodedPictures();
  CItemNode category;
  CItemNode node;
  const std::size_t before = PngPictureDecodes();
  FillClipNode(node, clip, category, true, 22);
  EXPECT_EQ(PngPictureDecodes(), before);
  EXPECT_EQ(node.pictureWidth, 40);
  EXPECT_EQ(node.pictureHeight, 44);

  ASSERT_TRUE(node.thumbnail);
  EXPECT_EQ(PngPictureDecodes(), before + 1);
  EXPECT_EQ(node.thumbnail->Height(), 22);
  EXPECT_EQ(node.thumbnail->Width(), 20);
  EXPECT_EQ(node.thumbnail->PixelColor(0, 5), 75u);  // (200 + 100 + 0 + 0) / 4, blue
}

}  // namespace
