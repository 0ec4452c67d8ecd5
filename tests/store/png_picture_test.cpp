// Pictures kept as PNG images: decoded only when their pixels are wanted, saved back as they
// were read, held at their own depth, let go when unused, and an image found damaged late.

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "foundation/log.h"
#include "store/clip_content.h"
#include "store/png_picture.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An opaque picture whose every pixel differs, and differs from those of another `seed`.
TBitmap DistinctOpaquePicture(int seed) {
  TBitmap picture(9, 5, 24);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 3;
      pixel[0] = static_cast<std::uint8_t>(20 * x + seed);
      pixel[1] = static_cast<std::uint8_t>(40 * y);
      pixel[2] = static_cast<std::uint8_t>(7 * seed + x * y);
    }
  }
  return picture;
}

class PngPictureTest : public StoreTest {
 protected:
  PngPictureTest() { SetCapacity(100); }
  ~PngPictureTest() override { LogAttach(nullptr); }

  // Saves `count` pictures as PNG records (DistinctOpaquePicture(0) first) and loads them back.
  Bytes SaveAndLoad(int count) {
    for (int i = 0; i < count; ++i) {
      auto clip = std::make_unique<CImageItem>();
      clip->categoryId = kHistoryCategoryId;
      clip->SetPicture(DistinctOpaquePicture(i));
      store.AppendClip(std::move(clip));
    }
    const Bytes saved = SavedWithPngImages(store);
    store.LoadFromMemory(saved);
    ForgetRecentlyDecodedPictures();
    return saved;
  }
  const CImageItem& ImageAt(std::size_t position) {
    auto clip = store.Items().begin();
    std::advance(clip, static_cast<std::ptrdiff_t>(position));
    return dynamic_cast<const CImageItem&>(**clip);
  }
};

TEST_F(PngPictureTest, ALoadedPictureIsDecodedOnlyWhenItsPixelsAreWanted) {
  const std::size_t before = PngPictureDecodes();
  SaveAndLoad(4);
  ASSERT_EQ(store.Items().size(), 4u);
  EXPECT_EQ(PngPictureDecodes(), before);
  ASSERT_TRUE(ImageAt(2).PictureSize());
  EXPECT_EQ(ImageAt(2).PictureSize()->width, 9);
  EXPECT_EQ(ImageAt(2).PictureSize()->height, 5);
  EXPECT_EQ(PngPictureDecodes(), before);

  const std::shared_ptr<const TBitmap> pixels = ImageAt(2).Picture();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->ToRgb32(), DistinctOpaquePicture(2).ToRgb32());
  EXPECT_EQ(PngPictureDecodes(), before + 1);
}

TEST_F(PngPictureTest, ALoadedPictureIsSavedBackByteForByteWithoutADecode) {
  const Bytes saved = SaveAndLoad(3);
  const std::size_t before = PngPictureDecodes();
  EXPECT_EQ(store.SaveToMemory(), saved);
  EXPECT_EQ(PngPictureDecodes(), before);
}

TEST_F(PngPictureTest, APasteDecodesThePictureThenAndPutsItsPixels) {
  SaveAndLoad(3);
  const std::size_t before = PngPictureDecodes();
  const std::vector<CClipBlock> blocks = ImageAt(1).TransferBlocks();
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(PngPictureDecodes(), before + 1);
  const std::optional<TBitmap> dib = TBitmap::FromPackedDib(blocks[0].bytes);
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->ToRgb32(), DistinctOpaquePicture(1).ToRgb32());

  ASSERT_TRUE(ImageAt(0).WriteToClipboard(driver.OwnerWindow()));
  const std::optional<TBitmap> pasted = driver.ReadBitmap();
  ASSERT_TRUE(pasted);
  EXPECT_EQ(pasted->ToRgb32(), DistinctOpaquePicture(0).ToRgb32());
}

TEST_F(PngPictureTest, PixelsInUseAreSharedAndUnusedOnesAreLetGo) {
  SaveAndLoad(2);
  const std::size_t before = PngPictureDecodes();
  std::shared_ptr<const TBitmap> shown = ImageAt(0).Picture();
  ForgetRecentlyDecodedPictures();
  EXPECT_EQ(ImageAt(0).Picture(), shown);  // the preview's pixels are the paste's
  EXPECT_EQ(PngPictureDecodes(), before + 1);

  std::weak_ptr<const TBitmap> watched = shown;
  shown.reset();
  ForgetRecentlyDecodedPictures();
  EXPECT_TRUE(watched.expired());
  EXPECT_EQ(ImageAt(0).DecodedPicture(), nullptr);
  EXPECT_NE(ImageAt(0).Picture(), nullptr);
  EXPECT_EQ(PngPictureDecodes(), before + 2);
}

TEST_F(PngPictureTest, AnOpaquePictureComesBackAt24BitsAndATranslucentOneAt32) {
  SaveAndLoad(1);
  EXPECT_EQ(ImageAt(0).Picture()->BitsPerPixel(), 24);
  EXPECT_FALSE(ImageAt(0).Picture()->HasAlpha());

  TBitmap translucent(3, 2, 32);
  translucent.Row(1)[3] = 0x80;
  translucent.SetHasAlpha(true);
  const std::optional<TBitmap> back = TBitmap::FromPng(translucent.ToPng());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->BitsPerPixel(), 32);
  EXPECT_TRUE(back->HasAlpha());
  EXPECT_EQ(*back, translucent);
}

TEST_F(PngPictureTest, ACapturedPictureIsLetGoOnceItsImageIsMade) {
  ASSERT_TRUE(driver.CopyBitmap(DistinctOpaquePicture(5)));
  std::weak_ptr<const TBitmap> captured = dynamic_cast<const CImageItem&>(Head()).Picture();
  WaitForPngEncodes();
  store.SaveToMemory();  // takes the image made
  ForgetRecentlyDecodedPictures();
  EXPECT_TRUE(captured.expired());
  EXPECT_EQ(dynamic_cast<const CImageItem&>(Head()).Picture()->ToRgb32(),
            DistinctOpaquePicture(5).ToRgb32());
}

TEST_F(PngPictureTest, ACopyOfAPictureAlreadyKeptIsFoundWithoutDecodingTheOthers) {
  SaveAndLoad(5);
  const std::size_t before = PngPictureDecodes();
  ASSERT_TRUE(driver.CopyBitmap(DistinctOpaquePicture(3)));
  // Only the newest history clip is decoded to compare: a copy of what the clipboard held.
  // The others are compared by their images.
  EXPECT_LE(PngPictureDecodes(), before + 1);
  EXPECT_EQ(store.Items().size(), 5u);
  EXPECT_EQ(dynamic_cast<const CImageItem&>(Head()).Picture()->ToRgb32(),
            DistinctOpaquePicture(3).ToRgb32());

  // Once decoded (shown), a picture is found again by its colours.
  ImageAt(4).Picture();
  ASSERT_TRUE(driver.CopyBitmap(DistinctOpaquePicture(4)));
  EXPECT_EQ(store.Items().size(), 5u);
  EXPECT_EQ(dynamic_cast<const CImageItem&>(Head()).Picture()->ToRgb32(),
            DistinctOpaquePicture(4).ToRgb32());
}

// A store whose one picture's image has a whole header but damaged pixels.
Bytes WithDamagedPixels(Bytes saved) {
  // The record: kind, size, category, time, hot key, then the image; its pixels lie in
  // the middle of the image, after the header chunk.
  constexpr std::size_t kImageStart = 8 + 8 + 14;
  const std::size_t middle = kImageStart + (saved.size() - kImageStart) / 2;
  for (std::size_t at = middle; at < middle + 8 && at + 12 < saved.size(); ++at) saved[at] ^= 0x5A;
  return saved;
}

TEST_F(PngPictureTest, AnImageFoundDamagedLateKeepsItsClipAndIsToldOnce) {
  const Bytes damaged = WithDamagedPixels(SaveAndLoad(1));
  std::ostringstream log;
  LogAttach(&log);
  store.LoadFromMemory(damaged);
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  ASSERT_EQ(store.Items().size(), 1u);
  EXPECT_EQ(ImageAt(0).Picture(), nullptr);
  EXPECT_EQ(ImageAt(0).Picture(), nullptr);
  EXPECT_FALSE(ImageAt(0).WriteToClipboard(driver.OwnerWindow()));
  EXPECT_TRUE(ImageAt(0).TransferBlocks().empty());
  EXPECT_TRUE(ImageAt(0).Undecodable());
  EXPECT_FALSE(ImageAt(0).Caption().empty());  // where it would have shown

  const std::string told = log.str();
  EXPECT_NE(told.find("cannot be decoded"), std::string::npos);
  EXPECT_EQ(told.find("cannot be decoded"), told.rfind("cannot be decoded"));
  EXPECT_EQ(store.SaveToMemory(), damaged);  // its bytes kept as they were
}

}  // namespace
