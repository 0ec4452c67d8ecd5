// Pictures kept as PNG images in the data file: exact records, round trips with alpha, files
// of BMP records, what a reader that does not know the record keeps, and damaged images.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/data_file_format.h"
#include "store/file_list_item.h"
#include "store/png_encoder.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Read32(const Bytes& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

void Write32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where each record of the current format begins, with the kinds that have an exact size
// (every kind but text, picture and category is found by its size, as in a reader).
std::vector<std::size_t> RecordStarts(const Bytes& file) {
  std::vector<std::size_t> starts;
  std::size_t at = 8;
  while (at + 8 <= file.size()) {
    starts.push_back(at);
    const auto kind = static_cast<std::int32_t>(Read32(file, at));
    const std::uint32_t size = Read32(file, at + 4);
    if (kind == kTextRecord) {
      at += 8 + size + 2;
    } else if (kind == kCategoryRecord) {
      at += 8 + size + 4;
    } else if (kind == kPictureRecord) {
      at += 22 + Read32(file, at + 22 + 2);
    } else {
      at += 8 + size;
    }
  }
  return starts;
}

std::vector<std::int32_t> RecordKinds(const Bytes& file) {
  std::vector<std::int32_t> kinds;
  for (std::size_t at : RecordStarts(file))
    kinds.push_back(static_cast<std::int32_t>(Read32(file, at)));
  return kinds;
}

// A picture with every opacity from clear to opaque and colours that differ in each pixel.
TBitmap TranslucentPicture() {
  TBitmap picture(7, 5, 32);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 4;
      pixel[0] = static_cast<std::uint8_t>(30 * x);
      pixel[1] = static_cast<std::uint8_t>(50 * y);
      pixel[2] = static_cast<std::uint8_t>(x * y);
      pixel[3] = static_cast<std::uint8_t>(255 - 7 * (y * 7 + x));
    }
  }
  picture.SetHasAlpha(true);
  return picture;
}

// Colour and opacity of every pixel, as a user sees the picture.
std::vector<std::uint32_t> Seen(const TBitmap& picture) {
  std::vector<std::uint32_t> pixels = picture.ToRgb32();
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint32_t alpha = picture.HasAlpha() ? picture.Row(y)[x * 4 + 3] : 0xFF;
      pixels[static_cast<std::size_t>(y) * picture.Width() + x] |= alpha << 24;
    }
  }
  return pixels;
}

class PngPictureRecordTest : public StoreTest {
 protected:
  PngPictureRecordTest() { SetCapacity(100); }

  const CImageItem& ImageAt(std::size_t position) {
    auto clip = store.Items().begin();
    std::advance(clip, static_cast<std::ptrdiff_t>(position));
    return dynamic_cast<const CImageItem&>(**clip);
  }
  void CopyPng(const TBitmap& picture) {
    ASSERT_TRUE(driver.CopyFormats({{RegisterClipboardFormatA("PNG"), picture.ToPng()}}));
    WaitForPngEncodes();  // saved as a PNG image once that is made
  }
  // The history head first: texts as they are, "files" and "picture" for the other kinds.
  std::vector<std::u16string> Listed() const {
    std::vector<std::u16string> listed;
    for (const auto& clip : store.Items()) {
      listed.push_back(clip->kind == kFileListKind  ? u"files"
                       : clip->kind == kPictureKind ? u"picture"
                                                    : *clip->PlainText());
    }
    return listed;
  }
  // A text, a picture, a file list and a text again, the picture written as `record`.
  Bytes SavedMixedStore(EPictureRecord record) {
    EXPECT_TRUE(driver.CopyText(u"first"));
    CopyPng(TranslucentPicture());
    dynamic_cast<CImageItem&>(Head()).savedAs = record;
    EXPECT_TRUE(driver.CopyFormats({{CF_HDROP, DropListOf({u"C:\\a.txt"})}}));
    EXPECT_TRUE(driver.CopyText(u"last"));
    return store.SaveToMemory();
  }
};

TEST_F(PngPictureRecordTest, PictureIsWrittenAsAPngRecordOfExactSize) {
  CopyPng(TranslucentPicture());
  Head().categoryId = kNotesCategoryId;
  Head().created = 46001.5;
  Head().hotKey = 0x2041;
  const Bytes saved = store.SaveToMemory();
  ASSERT_EQ(RecordKinds(saved), std::vector<std::int32_t>{kPngPictureRecord});
  EXPECT_EQ(Read32(saved, 12), saved.size() - 16);  // nothing after it, not even alpha
  EXPECT_EQ(Read32(saved, 16), static_cast<std::uint32_t>(kNotesCategoryId));
  EXPECT_EQ(saved[28] | saved[29] << 8, 0x2041);
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), saved.begin() + 30));

  store.LoadFromMemory(saved);
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  EXPECT_EQ(Head().categoryId, kNotesCategoryId);
  EXPECT_EQ(Head().created, 46001.5);
  EXPECT_EQ(Head().hotKey, 0x2041);
}

TEST_F(PngPictureRecordTest, PictureComesBackPixelExactWithItsAlpha) {
  CopyPng(TranslucentPicture());
  TBitmap opaque(9, 4, 24);
  for (int y = 0; y < 4; ++y) std::fill_n(opaque.Row(y), 27, static_cast<std::uint8_t>(40 * y + 3));
  ASSERT_TRUE(driver.CopyBitmap(opaque));
  WaitForPngEncodes();
  store.LoadFromMemory(store.SaveToMemory());
  ASSERT_EQ(store.Items().size(), 2u);
  EXPECT_EQ(ImageAt(0).LoadedFrom(), EPictureRecord::kPng);
  EXPECT_FALSE(ImageAt(0).Picture()->HasAlpha());
  EXPECT_EQ(ImageAt(0).Picture()->ToRgb32(), opaque.ToRgb32());
  ASSERT_TRUE(ImageAt(1).Picture()->HasAlpha());
  EXPECT_EQ(Seen(*ImageAt(1).Picture()), Seen(TranslucentPicture()));
}

TEST_F(PngPictureRecordTest, ALoadedImageIsSavedAgainAsItsOwnBytesWithoutEncoding) {
  CopyPng(TranslucentPicture());
  const Bytes saved = store.SaveToMemory();
  store.LoadFromMemory(saved);
  const std::uint8_t* kept = ImageAt(0).EncodedPng().data();
  EXPECT_EQ(store.SaveToMemory(), saved);
  EXPECT_EQ(ImageAt(0).EncodedPng().data(), kept);
}

TEST_F(PngPictureRecordTest, AChangedPictureIsEncodedAnew) {
  CopyPng(TranslucentPicture());
  auto& image = dynamic_cast<CImageItem&>(Head());
  store.SaveToMemory();
  TBitmap opaque = *image.Picture();
  opaque.SetHasAlpha(false);
  image.SetPicture(std::move(opaque));
  store.LoadFromMemory(store.SaveToMemory());
  EXPECT_FALSE(ImageAt(0).Picture()->HasAlpha());

  auto& again = dynamic_cast<CImageItem&>(Head());
  again.SetPicture(TBitmap(3, 2, 24));
  store.LoadFromMemory(store.SaveToMemory());
  EXPECT_EQ(ImageAt(0).Picture()->Width(), 3);
  EXPECT_EQ(ImageAt(0).Picture()->ToRgb32(), TBitmap(3, 2, 24).ToRgb32());
}

TEST_F(PngPictureRecordTest, AFileOfBmpRecordsLoadsAndIsWrittenBackAsPng) {
  CopyPng(TranslucentPicture());
  dynamic_cast<CImageItem&>(Head()).savedAs = EPictureRecord::kBmp;
  TBitmap palette(4, 3, 8);
  palette.Palette()[1] = 0x123456;
  palette.Row(2)[3] = 1;
  ASSERT_TRUE(driver.CopyFormats({{CF_DIB, palette.ToPackedDibV5()}}));
  dynamic_cast<CImageItem&>(Head()).savedAs = EPictureRecord::kBmp;
  const Bytes old = store.SaveToMemory();
  ASSERT_EQ(RecordKinds(old),
            (std::vector<std::int32_t>{kPictureRecord, kAlphaRecord, kPictureRecord}));

  // The load only queues the encodes: until they are done, a save writes what was read.
  PausePngEncodes(true);
  store.LoadFromMemory(old);
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  EXPECT_EQ(ImageAt(0).LoadedFrom(), EPictureRecord::kBmp);
  EXPECT_EQ(RecordKinds(store.SaveToMemory()), RecordKinds(old));
  PausePngEncodes(false);
  WaitForPngEncodes();
  const Bytes rewritten = store.SaveToMemory();
  EXPECT_EQ(RecordKinds(rewritten),
            (std::vector<std::int32_t>{kPngPictureRecord, kPngPictureRecord}));
  store.LoadFromMemory(rewritten);
  EXPECT_EQ(ImageAt(0).Picture()->ToRgb32(), palette.ToRgb32());
  EXPECT_EQ(Seen(*ImageAt(1).Picture()), Seen(TranslucentPicture()));
}

TEST_F(PngPictureRecordTest, AnAlphaRecordAfterEitherPictureRecordIsApplied) {
  CopyPng(TranslucentPicture());
  for (EPictureRecord record : {EPictureRecord::kBmp, EPictureRecord::kPng}) {
    auto& image = dynamic_cast<CImageItem&>(Head());
    image.savedAs = record;
    Bytes saved = store.SaveToMemory();
    if (record == EPictureRecord::kPng) {
      const Bytes clearsAlpha = {5, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0};
      saved.insert(saved.end(), clearsAlpha.begin(), clearsAlpha.end());
    } else {
      Write32(saved, saved.size() - 4, 0);  // the alpha record written after the BMP
    }
    store.LoadFromMemory(saved);
    EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
    EXPECT_EQ(store.LastLoad().skippedRecords, 0);
    EXPECT_FALSE(ImageAt(0).Picture()->HasAlpha());
    TBitmap translucent = *ImageAt(0).Picture();
    translucent.SetHasAlpha(true);
    dynamic_cast<CImageItem&>(Head()).SetPicture(std::move(translucent));
  }
}

TEST_F(PngPictureRecordTest, AReaderThatDoesNotKnowTheRecordSkipsItAndReadsEveryOtherClip) {
  Bytes saved = SavedMixedStore(EPictureRecord::kPng);
  // A kind this reader does not know stands for the PNG record in a reader from before it:
  // the same record under a kind it has no case for.
  for (std::size_t at : RecordStarts(saved)) {
    if (Read32(saved, at) == kPngPictureRecord) Write32(saved, at, 999);
  }
  store.LoadFromMemory(saved);
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  EXPECT_EQ(store.LastLoad().skippedRecords, 1);
  EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"last", u"files", u"first"}));
}

TEST_F(PngPictureRecordTest, TheSamePictureCopiedAfterALoadIsStillOneClip) {
  TBitmap screen(6, 2, 32);  // the clipboard's bitmaps leave the fourth bytes 0
  for (int y = 0; y < 2; ++y) std::fill_n(screen.Row(y), 24, static_cast<std::uint8_t>(90 + y));
  ASSERT_TRUE(driver.CopyBitmap(screen));
  ASSERT_TRUE(driver.CopyText(u"between"));
  store.LoadFromMemory(store.SaveToMemory());
  ASSERT_TRUE(driver.CopyBitmap(screen));
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"<picture>", u"between"}));
}

struct DamagedImageCase {
  const char* name;
  void (*damage)(Bytes& file, std::size_t record);
  const char* reason;
};

class DamagedPngRecordTest : public PngPictureRecordTest,
                             public ::testing::WithParamInterface<DamagedImageCase> {};

TEST_P(DamagedPngRecordTest, IsReportedAndEveryOtherClipKept) {
  Bytes saved = SavedMixedStore(EPictureRecord::kPng);
  const std::vector<std::size_t> starts = RecordStarts(saved);
  const auto record = *std::find_if(starts.begin(), starts.end(), [&](std::size_t at) {
    return Read32(saved, at) == kPngPictureRecord;
  });
  GetParam().damage(saved, record);
  const std::filesystem::path path = folder.Path() / "data.dat";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(saved.data()),
             static_cast<std::streamsize>(saved.size()));
  ASSERT_TRUE(store.LoadFromFile(path));
  const CLoadReport& report = store.LastLoad();
  EXPECT_TRUE(report.damaged);
  EXPECT_EQ(report.damageOffset, record);
  EXPECT_NE(report.damageReason.find(GetParam().reason), std::string::npos) << report.damageReason;
  EXPECT_FALSE(report.damagedCopy.empty());
  EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"last", u"files", u"first"}));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedPngRecordTest,
    ::testing::Values(
        DamagedImageCase{"NoPngImage", [](Bytes& file, std::size_t at) { file[at + 22] = 'X'; },
                         "no PNG image"},
        DamagedImageCase{"BeyondTheLimitsOfAPicture",
                         [](Bytes& file, std::size_t at) {
                           // IHDR's width and height, big-endian: 20000 x 20000, within
                           // the largest side but not the largest pixel storage.
                           const Bytes side = {0, 0, 0x4E, 0x20};
                           std::copy(side.begin(), side.end(), file.begin() + at + 22 + 16);
                           std::copy(side.begin(), side.end(), file.begin() + at + 22 + 20);
                         },
                         "20000 x 20000 pixels is beyond the limits"},
        DamagedImageCase{"ShorterThanItsFields",
                         [](Bytes& file, std::size_t at) {
                           // Ten bytes of fields, the rest of the record a kind 999 of its own.
                           const std::uint32_t size = Read32(file, at + 4);
                           Write32(file, at + 4, 10);
                           Write32(file, at + 18, 999);
                           Write32(file, at + 22, size - 18);
                         },
                         "shorter than its fields"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(PngPictureRecordTest, ARecordRunningPastTheEndStopsTheReading) {
  Bytes saved = SavedMixedStore(EPictureRecord::kPng);
  const std::size_t record = RecordStarts(saved)[1];  // the tail's clip comes first
  ASSERT_EQ(Read32(saved, record), static_cast<std::uint32_t>(kPngPictureRecord));
  Write32(saved, record + 4, static_cast<std::uint32_t>(saved.size()));
  store.LoadFromMemory(saved);
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_EQ(store.LastLoad().damageOffset, record);
  EXPECT_EQ(Listed(), std::vector<std::u16string>{u"first"});
}

// The encoder's thread is held while a test looks at what is saved before an encode ends.
class PendingPngTest : public PngPictureRecordTest {
 protected:
  PendingPngTest() { PausePngEncodes(true); }
  ~PendingPngTest() override {
    PausePngEncodes(false);
    WaitForPngEncodes();
  }
  void Resume() {
    PausePngEncodes(false);
    WaitForPngEncodes();
  }
  void CopyTranslucent() {
    ASSERT_TRUE(
        driver.CopyFormats({{RegisterClipboardFormatA("PNG"), TranslucentPicture().ToPng()}}));
  }
};

TEST_F(PendingPngTest, ACaptureIsSavedAsBmpUntilItsEncodeEndsAndNoSaveEncodesIt) {
  const std::size_t encodes = PngEncodesDone();
  CopyTranslucent();
  EXPECT_EQ(RecordKinds(store.SaveToMemory()),
            (std::vector<std::int32_t>{kPictureRecord, kAlphaRecord}));
  EXPECT_EQ(RecordKinds(store.SaveToMemory()),
            (std::vector<std::int32_t>{kPictureRecord, kAlphaRecord}));
  EXPECT_TRUE(ImageAt(0).ReadyPng().empty());
  EXPECT_EQ(PngEncodesDone(), encodes);

  Resume();
  EXPECT_EQ(PngEncodesDone(), encodes + 1);  // asked for once, however often it was saved
  const Bytes saved = store.SaveToMemory();
  EXPECT_EQ(RecordKinds(saved), (std::vector<std::int32_t>{kPngPictureRecord}));
  store.LoadFromMemory(saved);
  EXPECT_EQ(Seen(*ImageAt(0).Picture()), Seen(TranslucentPicture()));
}

TEST_F(PendingPngTest, AClipDeletedOrTrimmedBeforeItsEncodeIsNotEncoded) {
  const std::size_t encodes = PngEncodesDone();
  CopyTranslucent();
  ASSERT_TRUE(store.RemoveClipAt(0));
  SetCapacity(1);
  CopyTranslucent();
  ASSERT_TRUE(driver.CopyText(u"after"));
  EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"after"}));
  Resume();
  EXPECT_EQ(PngEncodesDone(), encodes);
}

TEST_F(PendingPngTest, APictureReplacedWhileItsEncodeRunsIsNotSavedAsTheOldImage) {
  CopyTranslucent();
  auto& image = dynamic_cast<CImageItem&>(Head());
  TBitmap replacement(3, 2, 24);
  replacement.Row(1)[4] = 200;
  image.SetPicture(TBitmap(replacement));
  Resume();
  EXPECT_EQ(RecordKinds(store.SaveToMemory()), (std::vector<std::int32_t>{kPictureRecord}));
  WaitForPngEncodes();  // the save asked for the new picture's image
  const Bytes saved = store.SaveToMemory();
  EXPECT_EQ(RecordKinds(saved), (std::vector<std::int32_t>{kPngPictureRecord}));
  store.LoadFromMemory(saved);
  EXPECT_EQ(ImageAt(0).Picture()->ToRgb32(), replacement.ToRgb32());
}

}  // namespace
