// Pictures as BMP file images: what the reader takes, what it refuses, what the writer
// produces, and that damaged images are reported, never crashed on.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "foundation/bitmap.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/picture_error.h"

namespace {

using testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;

// A BMP image written field by field, so that each test sets just the fields it is about.
struct BmpFields {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t coloursUsed = 0;
  // "= {}": g++ 12 warns when a designated initializer leaves out a member without one.
  std::vector<std::uint32_t> masks = {};  // after a 40-byte header, inside a longer one
  std::vector<std::uint32_t> table = {};  // 0x00RRGGBB
  Bytes pixels = {0, 0, 0, 0};            // exactly as stored

  Bytes Build() const {
    CByteWriter out;
    out.WriteBytes("BM", 2);
    out.WriteUInt32(0xFFFFFFFF);  // total size and pixel offset: readers must not need them
    out.WriteUInt32(0);
    out.WriteUInt32(0xFFFFFFFF);
    out.WriteUInt32(headerSize);
    if (headerSize == 12) {
      for (int v : {width, height, int{planes}, int{bitsPerPixel}}) {
        out.WriteUInt16(static_cast<std::uint16_t>(v));
      }
    } else {
      out.WriteInt32(width);
      out.WriteInt32(height);
      out.WriteUInt16(planes);
      out.WriteUInt16(bitsPerPixel);
      for (std::uint32_t v : {compression, imageSize, 0u, 0u, coloursUsed, 0u}) out.WriteUInt32(v);
      if (headerSize > 40) {
        for (std::size_t i = 0; i < 3; ++i) out.WriteUInt32(i < masks.size() ? masks[i] : 0);
        out.Bytes().resize(out.Size() + headerSize - 52, 0xEE);
      }
    }
    if (headerSize == 40) {
      for (std::uint32_t mask : masks) out.WriteUInt32(mask);
    }
    for (std::uint32_t entry : table) {
      if (headerSize == 12) {
        const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(entry),
                                     static_cast<std::uint8_t>(entry >> 8),
                                     static_cast<std::uint8_t>(entry >> 16)};
        out.WriteBytes(bgr, 3);
      } else {
        out.WriteUInt32(entry);
      }
    }
    out.WriteBytes(pixels.data(), pixels.size());
    return out.Bytes();
  }
};

TBitmap Read(const Bytes& bytes, std::size_t* endPosition = nullptr) {
  CByteReader reader(bytes.data(), bytes.size());
  TBitmap picture = TBitmap::ReadBmp(reader);
  if (endPosition != nullptr) *endPosition = reader.Position();
  return picture;
}

// The message of the CPictureError that reading throws; empty when the image is read.
std::string ReadError(const Bytes& bytes) {
  try {
    Read(bytes);
  } catch (const CPictureError& error) {
    return error.what();
  }
  return "";
}

Bytes Written(const TBitmap& picture) {
  CByteWriter writer;
  picture.WriteBmp(writer);
  return writer.Bytes();
}

std::uint32_t FieldAt(const Bytes& bytes, std::size_t offset) {
  return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
         std::uint32_t{bytes.at(offset + 3)} << 24;
}

// Every pixel byte, padding included, gets a value that differs by position.
void FillPattern(TBitmap& picture) {
  for (int y = 0; y < picture.Height(); ++y) {
    for (std::size_t i = 0; i < picture.Stride(); ++i) {
      picture.Row(y)[i] = static_cast<std::uint8_t>(y * 71 + i * 13 + 5);
    }
  }
  for (std::size_t i = 0; i < picture.Palette().size(); ++i) {
    picture.Palette()[i] = static_cast<std::uint32_t>(i * 0x030507 + 0x102030) & 0xFFFFFF;
  }
}

TEST(BmpReadTest, OneBitPixelsIndexTheColourTable) {
  BmpFields bmp{.width = 10, .height = 2, .bitsPerPixel = 1, .table = {0x000000, 0xFF8000}};
  bmp.pixels = {0x80, 0x40, 0, 0, /* top */ 0x55, 0x40, 0, 0};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.BitsPerPixel(), 1);
  EXPECT_EQ(picture.PixelColor(0, 0), 0x000000u);
  EXPECT_EQ(picture.PixelColor(1, 0), 0xFF8000u);
  EXPECT_EQ(picture.PixelColor(9, 0), 0xFF8000u);
  EXPECT_EQ(picture.PixelColor(0, 1), 0xFF8000u);
  EXPECT_EQ(picture.PixelColor(8, 1), 0x000000u);
  EXPECT_EQ(picture.PixelColor(9, 1), 0xFF8000u);
}

TEST(BmpReadTest, FourBitPixelsUseAFullTableWhenColoursUsedIsZero) {
  BmpFields bmp{.width = 3, .bitsPerPixel = 4, .pixels = {0x1F, 0xA0, 0, 0}};
  for (std::uint32_t i = 0; i < 16; ++i) bmp.table.push_back(i * 0x110000 + 0x0000AB);
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.Palette().size(), 16u);
  EXPECT_EQ(picture.PixelColor(0, 0), 0x1100ABu);
  EXPECT_EQ(picture.PixelColor(1, 0), 0xFF00ABu);
  EXPECT_EQ(picture.PixelColor(2, 0), 0xAA00ABu);
}

TEST(BmpReadTest, EightBitTableCanBeShorterThanTheDepthAllows) {
  BmpFields bmp{.width = 2,
                .bitsPerPixel = 8,
                .coloursUsed = 3,
                .table = {0x102030, 0x405060, 0x708090},
                .pixels = {2, 7, 0, 0}};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.Palette(), bmp.table);
  EXPECT_EQ(picture.PixelColor(0, 0), 0x708090u);
  EXPECT_EQ(picture.PixelColor(1, 0), 0u);  // beyond the table
}

TEST(BmpReadTest, SixteenBitsWithoutMasksAreFiveFiveFive) {
  BmpFields bmp{.width = 2, .bitsPerPixel = 16, .pixels = {0x00, 0x7C, 0x1F, 0x00}};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.PixelColor(0, 0), 0xFF0000u);
  EXPECT_EQ(picture.PixelColor(1, 0), 0x0000FFu);
  EXPECT_FALSE(picture.HasCustomMasks());
}

TEST(BmpReadTest, SixteenBitsWithFiveSixFiveMasks) {
  BmpFields bmp{.width = 2,
                .bitsPerPixel = 16,
                .compression = 3,
                .masks = {0xF800, 0x07E0, 0x001F},
                .pixels = {0xE0, 0x07, 0x00, 0xF8}};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.PixelColor(0, 0), 0x00FF00u);
  EXPECT_EQ(picture.PixelColor(1, 0), 0xFF0000u);
  EXPECT_EQ(picture.Masks(), (TBitmap::ColorMasks{0xF800, 0x07E0, 0x001F}));
  EXPECT_TRUE(picture.HasCustomMasks());
}

TEST(BmpReadTest, BottomUpAndTopDownRowsGiveTheSamePicture) {
  const Bytes top = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};     // red, green
  const Bytes bottom = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};  // blue, white
  BmpFields up{.width = 2, .height = 2};
  up.pixels = bottom;
  up.pixels.insert(up.pixels.end(), top.begin(), top.end());
  BmpFields down{.width = 2, .height = -2};
  down.pixels = top;
  down.pixels.insert(down.pixels.end(), bottom.begin(), bottom.end());
  const TBitmap picture = Read(up.Build());
  EXPECT_EQ(picture.ToRgb32(),
            (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  EXPECT_EQ(Read(down.Build()), picture);
}

TEST(BmpReadTest, ThirtyTwoBitsIgnoreTheFourthByte) {
  BmpFields bmp{.height = -2,
                .bitsPerPixel = 32,
                .pixels = {0x33, 0x22, 0x11, 0x00, /* next row */ 0x66, 0x55, 0x44, 0xFF}};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.PixelColor(0, 0), 0x112233u);
  EXPECT_EQ(picture.PixelColor(0, 1), 0x445566u);
}

TEST(BmpReadTest, CoreHeaderHasThreeByteTableEntries) {
  BmpFields bmp{.headerSize = 12,
                .width = 2,
                .height = 1,
                .bitsPerPixel = 1,
                .table = {0xA1B2C3, 0x0F1E2D},
                .pixels = {0x40, 0, 0, 0}};
  const Bytes bytes = bmp.Build();
  std::size_t end = 0;
  const TBitmap picture = Read(bytes, &end);
  EXPECT_EQ(picture.PixelColor(0, 0), 0xA1B2C3u);
  EXPECT_EQ(picture.PixelColor(1, 0), 0x0F1E2Du);
  EXPECT_EQ(end, bytes.size());
}

TEST(BmpReadTest, LongerHeadersCarryTheMasksAndTheRestIsSkipped) {
  for (std::uint32_t size : {52u, 56u, 108u, 124u}) {
    BmpFields bmp{.headerSize = size,
                  .width = 2,
                  .bitsPerPixel = 16,
                  .compression = 3,
                  .masks = {0xF800, 0x07E0, 0x001F},
                  .pixels = {0xE0, 0x07, 0x1F, 0x00}};
    const TBitmap picture = Read(bmp.Build());
    EXPECT_EQ(picture.PixelColor(0, 0), 0x00FF00u) << size;
    EXPECT_EQ(picture.PixelColor(1, 0), 0x0000FFu) << size;
  }
}

TEST(BmpReadTest, MasksInALongerHeaderCountOnlyWithCompressionThree) {
  BmpFields bmp{.headerSize = 124,
                .bitsPerPixel = 32,
                .masks = {0xFF, 0xFF00, 0xFF0000},
                .pixels = {0x33, 0x22, 0x11, 0x00}};
  EXPECT_EQ(Read(bmp.Build()).PixelColor(0, 0), 0x112233u);
}

TEST(BmpReadTest, TableEntriesBeyondTheDepthAreReadAndDropped) {
  BmpFields bmp{.width = 2,
                .bitsPerPixel = 1,
                .coloursUsed = 4,
                .table = {0x111111, 0x222222, 0x333333, 0x444444},
                .pixels = {0x40, 0, 0, 0}};
  const TBitmap picture = Read(bmp.Build());
  EXPECT_EQ(picture.Palette(), (std::vector<std::uint32_t>{0x111111, 0x222222}));
  EXPECT_EQ(picture.PixelColor(1, 0), 0x222222u);

  BmpFields deep{.coloursUsed = 2, .table = {0x111111, 0x222222}, .pixels = {0x03, 0x02, 0x01, 0}};
  const TBitmap deepPicture = Read(deep.Build());
  EXPECT_TRUE(deepPicture.Palette().empty());
  EXPECT_EQ(deepPicture.PixelColor(0, 0), 0x010203u);
}

class BmpImageSizeTest : public testing::Test {
 protected:
  // A 16-bit 1 x 2 picture with masks: its rows need 8 bytes; `stored` bytes follow the
  // table, then the next record.
  static Bytes Image(std::uint32_t compression, std::uint32_t imageSize, std::size_t stored) {
    BmpFields bmp{
        .height = 2, .bitsPerPixel = 16, .compression = compression, .imageSize = imageSize};
    if (compression == 3) bmp.masks = {0x7C00, 0x03E0, 0x001F};
    bmp.pixels.assign(stored, 0);
    bmp.pixels[0] = 0x1F;  // bottom row blue
    bmp.pixels[4] = 0xE0;  // top row green
    bmp.pixels[5] = 0x03;
    Bytes bytes = bmp.Build();
    bytes.insert(bytes.end(), kNextRecord.begin(), kNextRecord.end());
    return bytes;
  }
  static std::size_t EndOfImage(const Bytes& bytes) { return bytes.size() - kNextRecord.size(); }
  static constexpr std::array<std::uint8_t, 4> kNextRecord = {2, 0, 0, 0};
};

TEST_F(BmpImageSizeTest, LargerImageSizeIsConsumedWhole) {
  const Bytes bytes = Image(3, 20, 20);
  std::size_t end = 0;
  const TBitmap picture = Read(bytes, &end);
  EXPECT_EQ(end, EndOfImage(bytes));
  EXPECT_EQ(picture.PixelColor(0, 0), 0x00FF00u);
  EXPECT_EQ(picture.PixelColor(0, 1), 0x0000FFu);
}

TEST_F(BmpImageSizeTest, ZeroImageSizeMeansTheRowsExactly) {
  const Bytes bytes = Image(3, 0, 8);
  std::size_t end = 0;
  EXPECT_EQ(Read(bytes, &end).PixelColor(0, 0), 0x00FF00u);
  EXPECT_EQ(end, EndOfImage(bytes));
}

TEST_F(BmpImageSizeTest, ImageSizeIsIgnoredWithoutCompression) {
  const Bytes bytes = Image(0, 20, 8);
  std::size_t end = 0;
  EXPECT_EQ(Read(bytes, &end).PixelColor(0, 0), 0x00FF00u);
  EXPECT_EQ(end, EndOfImage(bytes));
}

TEST_F(BmpImageSizeTest, RowsBeyondASmallerImageSizeStayBlack) {
  const Bytes bytes = Image(3, 2, 8);  // half of the bottom row
  std::size_t end = 0;
  const TBitmap picture = Read(bytes, &end);
  EXPECT_EQ(end, EndOfImage(bytes) - 6);
  EXPECT_EQ(picture.PixelColor(0, 1), 0x0000FFu);
  EXPECT_EQ(picture.PixelColor(0, 0), 0u);
}

TEST_F(BmpImageSizeTest, ImageSizeCountsEvenWhenTheDataCouldNotHoldTheRows) {
  Bytes bytes = Image(3, 4, 8);  // the rows need 8 bytes; only the 4 of the image size follow
  bytes.resize(EndOfImage(bytes) - 4);
  std::size_t end = 0;
  const TBitmap picture = Read(bytes, &end);
  EXPECT_EQ(end, bytes.size());
  EXPECT_EQ(picture.PixelColor(0, 1), 0x0000FFu);
  EXPECT_EQ(picture.PixelColor(0, 0), 0u);
}

TEST_F(BmpImageSizeTest, DataCutShortKeepsTheRowsItHoldsWhenAskedTo) {
  for (const std::uint32_t compression : {0u, 3u}) {
    Bytes bytes = Image(compression, 0, 8);
    bytes.resize(EndOfImage(bytes) - 3);  // the top row lacks 3 of its 4 bytes
    CByteReader reader(bytes.data(), bytes.size());
    std::uint64_t missing = 0;
    const TBitmap picture = TBitmap::ReadBmp(reader, &missing);
    EXPECT_EQ(missing, 3u);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(picture.PixelColor(0, 1), 0x0000FFu);
    EXPECT_THAT(ReadError(bytes), HasSubstr("picture cut short"));
  }
}

TEST(BmpRejectTest, EachFaultIsNamed) {
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const struct {
    BmpFields bmp;
    const char* message;
  } cases[] = {
      {{.headerSize = 64}, "unsupported info header size 64"},
      {{.headerSize = 0}, "unsupported info header size 0"},
      {{.planes = 2}, "planes must be 1"},
      {{.bitsPerPixel = 2}, "unsupported depth of 2 bits per pixel"},
      {{.bitsPerPixel = 0}, "unsupported depth of 0 bits per pixel"},
      {{.compression = 4}, "unsupported compression 4"},
      {{.bitsPerPixel = 8, .compression = 1}, "unsupported compression 1"},
      {{.compression = 3}, "unsupported compression 3 at 24 bits per pixel"},
      {{.width = 0, .height = 5}, "absurd dimensions 0 x 5"},
      {{.width = -3}, "absurd dimensions -3 x 1"},
      {{.height = 0}, "absurd dimensions 1 x 0"},
      {{.height = lowest}, "absurd dimensions 1 x -2147483648"},
      {{.width = TBitmap::kMaxSide + 1}, "absurd dimensions 32769 x 1"},
      {{.width = 30000, .height = 30000, .bitsPerPixel = 32}, "absurd dimensions 30000 x 30000"},
      {{.headerSize = 12, .width = 0}, "absurd dimensions 0 x 1"},
      // Within the limits but far more than the data holds: refused before allocating.
      {{.width = 20000, .height = -20000, .bitsPerPixel = 8}, "picture cut short"},
      {{.width = 16000,
        .height = 16000,
        .bitsPerPixel = 16,
        .compression = 3,
        .imageSize = 8,
        .masks = {1, 2, 4}},
       "picture cut short"},
      {{.width = 2}, "picture cut short"},
      {{.bitsPerPixel = 32, .compression = 3, .imageSize = 5, .masks = {1, 2, 4}},
       "picture cut short"},
      {{.bitsPerPixel = 8, .coloursUsed = 0xFFFFFFFF}, "picture cut short"},
  };
  for (const auto& c : cases) EXPECT_THAT(ReadError(c.bmp.Build()), HasSubstr(c.message));
}

TEST(BmpRejectTest, OnlyImagesThatStartWithBmAreTaken) {
  Bytes bytes = BmpFields{}.Build();
  bytes[1] = 'A';
  EXPECT_THAT(ReadError(bytes), HasSubstr("not a BMP image"));
  EXPECT_THAT(ReadError({}), HasSubstr("not a BMP image"));
  EXPECT_THAT(ReadError({'B', 'M', 0}), HasSubstr("picture cut short"));
}

TEST(BmpRejectTest, MessageNamesWhereTheImageBegan) {
  Bytes bytes = {9, 9, 9, 9, 9};
  const Bytes bmp = BmpFields{.planes = 0}.Build();
  bytes.insert(bytes.end(), bmp.begin(), bmp.end());
  CByteReader reader(bytes.data(), bytes.size());
  ASSERT_TRUE(reader.Skip(5));
  try {
    TBitmap::ReadBmp(reader);
    FAIL() << "a picture with 0 planes was read";
  } catch (const CPictureError& error) {
    EXPECT_THAT(error.what(), HasSubstr("offset 5"));
  }
}

TEST(BmpWriteTest, SmallPictureHasExactlyTheseBytes) {
  TBitmap picture(2, 2, 24);
  const std::uint8_t top[] = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00};     // red, green
  const std::uint8_t bottom[] = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF};  // blue, white
  std::copy(std::begin(top), std::end(top), picture.Row(0));
  std::copy(std::begin(bottom), std::end(bottom), picture.Row(1));
  const Bytes expected = {
      'B',  'M',  70,   0,    0,    0,    0, 0, 0, 0, 54, 0, 0, 0,  // file header
      40,   0,    0,    0,    2,    0,    0, 0, 2, 0, 0,  0, 1, 0, 24, 0,
      0,    0,    0,    0,    16,   0,    0, 0,                            // info header
      0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0,  0, 0, 0, 0,  0,  // ...
      0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row first, padded
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,
  };
  EXPECT_EQ(Written(picture), expected);
}

TEST(BmpWriteTest, CustomMasksFollowTheHeaderWithCompressionThree) {
  TBitmap picture(1, 1, 16);
  picture.SetMasks({0xF800, 0x07E0, 0x001F});
  const Bytes bytes = Written(picture);
  EXPECT_EQ(FieldAt(bytes, 10), 66u);  // pixel offset
  EXPECT_EQ(FieldAt(bytes, 30), 3u);   // compression
  EXPECT_EQ(FieldAt(bytes, 54), 0xF800u);
  EXPECT_EQ(FieldAt(bytes, 58), 0x07E0u);
  EXPECT_EQ(FieldAt(bytes, 62), 0x001Fu);
  EXPECT_EQ(bytes.size(), 70u);
  EXPECT_EQ(FieldAt(Written(TBitmap(1, 1, 16)), 30), 0u);
}

TEST(BmpWriteTest, ColourTableOfIndexedPictures) {
  TBitmap full(1, 1, 4);
  EXPECT_EQ(FieldAt(Written(full), 46), 0u);  // colours used: all 16
  EXPECT_EQ(FieldAt(Written(full), 10), 54u + 16 * 4);

  TBitmap shortTable(1, 1, 8);
  shortTable.Palette() = {0xFF123456, 0x00ABCDEF};
  const Bytes bytes = Written(shortTable);
  EXPECT_EQ(FieldAt(bytes, 46), 2u);
  EXPECT_EQ(FieldAt(bytes, 54), 0x123456u);  // blue, green, red, reserved 0
  EXPECT_EQ(FieldAt(bytes, 58), 0xABCDEFu);
  EXPECT_EQ(FieldAt(bytes, 10), 62u);
}

TEST(BmpWriteTest, EmptyColourTableIsWrittenAsOneBlackEntry) {
  TBitmap picture(2, 1, 8);
  picture.Palette().clear();
  picture.Row(0)[1] = 9;
  const Bytes bytes = Written(picture);
  EXPECT_EQ(FieldAt(bytes, 46), 1u);
  EXPECT_EQ(Read(bytes).ToRgb32(), picture.ToRgb32());
}

TEST(BmpWriteTest, EmptyPictureIsRefusedWithNothingWritten) {
  CByteWriter writer;
  EXPECT_THROW(TBitmap().WriteBmp(writer), CPictureError);
  EXPECT_EQ(writer.Size(), 0u);
}

TEST(BmpRoundTripTest, EveryDepthComesBackEqual) {
  for (int depth : {1, 4, 8, 16, 24, 32}) {
    TBitmap picture(7, 3, depth);
    FillPattern(picture);
    const Bytes bytes = Written(picture);
    std::size_t end = 0;
    EXPECT_EQ(Read(bytes, &end), picture) << depth;
    EXPECT_EQ(end, bytes.size()) << depth;
  }
}

TEST(BmpRoundTripTest, MasksAndShortTablesComeBackEqual) {
  TBitmap sixteen(3, 2, 16);
  sixteen.SetMasks({0xF800, 0x07E0, 0x001F});
  TBitmap thirtyTwo(3, 2, 32);
  thirtyTwo.SetMasks({0x3FF00000, 0x000FFC00, 0x000003FF});
  TBitmap indexed(3, 2, 8);
  indexed.Palette().resize(5);
  for (TBitmap* picture : {&sixteen, &thirtyTwo, &indexed}) {
    FillPattern(*picture);
    EXPECT_EQ(Read(Written(*picture)), *picture);
  }
}

TEST(BmpRoundTripTest, WriterAppendsAndReaderStartsWhereItIs) {
  TBitmap first(2, 2, 24);
  TBitmap second(3, 1, 4);
  FillPattern(first);
  FillPattern(second);
  CByteWriter writer;
  writer.WriteUInt32(2);
  first.WriteBmp(writer);
  second.WriteBmp(writer);
  CByteReader reader(writer.Bytes().data(), writer.Size());
  ASSERT_TRUE(reader.Skip(4));
  EXPECT_EQ(TBitmap::ReadBmp(reader), first);
  EXPECT_EQ(TBitmap::ReadBmp(reader), second);
  EXPECT_TRUE(reader.AtEnd());
}

class BmpDamageTest : public testing::Test {
 protected:
  // Small images that together reach every path of the reader: written by the writer (a
  // short colour table, masks, padded rows), a core header and a long header with masks.
  static std::vector<Bytes> Images() {
    TBitmap indexed(3, 2, 8);
    indexed.Palette().resize(3);
    TBitmap masked(2, 2, 16);
    masked.SetMasks({0xF800, 0x07E0, 0x001F});
    TBitmap deep(2, 1, 24);
    std::vector<Bytes> images;
    for (TBitmap* picture : {&indexed, &masked, &deep}) {
      FillPattern(*picture);
      images.push_back(Written(*picture));
    }
    images.push_back(BmpFields{.headerSize = 12, .bitsPerPixel = 1, .table = {1, 2}}.Build());
    images.push_back(BmpFields{
        .headerSize = 124, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000}}
                         .Build());
    return images;
  }
  // Reading must give a picture or a CPictureError; anything else fails the test.
  static void ReadOrReport(const Bytes& bytes) {
    CByteReader reader(bytes.data(), bytes.size());
    try {
      const TBitmap picture = TBitmap::ReadBmp(reader);
      EXPECT_FALSE(picture.Empty());
      EXPECT_LE(reader.Position(), bytes.size());
    } catch (const CPictureError&) {
    }
  }
};

TEST_F(BmpDamageTest, EveryTruncationIsReportedAsAnError) {
  for (const Bytes& image : Images()) {
    for (std::size_t length = 0; length < image.size(); ++length) {
      const Bytes cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
      EXPECT_FALSE(ReadError(cut).empty()) << "prefix of " << length << " bytes";
    }
  }
}

TEST_F(BmpDamageTest, EverySingleByteFlipIsReadOrReported) {
  for (const Bytes& image : Images()) {
    for (std::size_t i = 0; i < image.size(); ++i) {
      for (std::uint8_t flip : {std::uint8_t{0xFF}, std::uint8_t{0x01}}) {
        Bytes damaged = image;
        damaged[i] ^= flip;
        ReadOrReport(damaged);
      }
    }
  }
}

}  // namespace
