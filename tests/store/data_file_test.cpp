// The data file: its exact bytes, round trips, the legacy format, and damaged files.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <iterator>

#include "foundation/file_error.h"
#include "store/data_file_format.h"
#include "store/image_item.h"
#include "store/png_encoder.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class DataFileTest : public StoreTest {
 protected:
  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }

  Bytes FileBytes(const std::filesystem::path& path) const {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) const {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  // A text clip added straight to the store, with a known time.
  void AddText(const std::u16string& text, int categoryId, double created = 46364.5,
               std::uint16_t hotKey = 0) {
    ASSERT_TRUE(driver.CopyText(text));
    Head().created = created;
    Head().hotKey = hotKey;
    if (categoryId != kHistoryCategoryId) {
      ASSERT_TRUE(store.MoveItem(Head().id, categoryId));
    }
  }
};

Bytes Le32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
          static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes DoubleBytes(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  Bytes bytes;
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  return bytes;
}

Bytes Utf16Bytes(const std::u16string& text) {
  Bytes bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

Bytes LegacyRecord(std::int32_t notesFlag, double created, const std::u16string& text) {
  return Concat({Le32(notesFlag), DoubleBytes(created),
                 Le32(static_cast<std::int32_t>(text.size())), Utf16Bytes(text)});
}

TEST_F(DataFileTest, EmptyStoreIsTheEightByteHeader) {
  EXPECT_EQ(store.SaveToMemory(), (Bytes{0x64, 0, 0, 0, 0xE8, 0x03, 0, 0}));
}

TEST_F(DataFileTest, TextClipRecordIsExact) {
  AddText(u"abc", kHistoryCategoryId, 46364.25);
  const Bytes expected = Concat({{0x64, 0, 0, 0, 0xE8, 0x03, 0, 0},
                                 {1, 0, 0, 0},
                                 {0x16, 0, 0, 0},
                                 {0x0A, 0, 0, 0},
                                 DoubleBytes(46364.25),
                                 {0, 0},
                                 {3, 0, 0, 0},
                                 {0x61, 0, 0x62, 0, 0x63, 0}});
  EXPECT_EQ(store.SaveToMemory(), expected);
}

TEST_F(DataFileTest, CategoryRecordIsExact) {
  store.AddCategory(CCategory{0, 0, 3, 0, u"ab"});
  const Bytes expected = Concat({{0x64, 0, 0, 0, 0xE9, 0x03, 0, 0},
                                 {0xA0, 0x86, 0x01, 0},
                                 {0x14, 0, 0, 0},
                                 {0xE9, 0x03, 0, 0},
                                 {0, 0, 0, 0},
                                 {3, 0, 0, 0},
                                 {0, 0, 0, 0},
                                 {2, 0, 0, 0},
                                 {0x61, 0, 0x62, 0}});
  EXPECT_EQ(store.SaveToMemory(), expected);
}

TEST_F(DataFileTest, SaveAndLoadRestoreOrderCategoriesTimesHotKeysTextsAndPictures) {
  const int work = store.AddCategory(CCategory{0, 0, 2, 7, u"Work"});
  store.AddCategory(CCategory{0, work, 5, 0, Utf16("Ünter")});
  AddText(u"note", kNotesCategoryId, 45000.125, 0xC041);
  AddText(Utf16("snippet ✓"), work, 45001.5);
  TBitmap picture(3, 2, 8);
  picture.Palette()[1] = 0x123456;
  picture.Row(1)[2] = 1;
  ASSERT_TRUE(driver.CopyBitmap(picture));
  AddText(u"newest", kHistoryCategoryId, 46000.75, 0x2001);
  WaitForPngEncodes();  // the picture is saved as its PNG image from here on
  const auto before = store.SaveToMemory();
  const int firstNewId = store.NextItemId();

  ASSERT_TRUE(store.SaveToFile(DataPath()));
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_EQ(store.LastLoad().format, DataFormat::kCurrent);
  EXPECT_FALSE(store.LastLoad().damaged);
  EXPECT_EQ(store.SaveToMemory(), before);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"newest", u"<picture>"}));
  EXPECT_EQ(store.Items().front()->id, firstNewId + 3);
  EXPECT_EQ(store.Items().front()->hotKey, 0x2001);
  EXPECT_EQ(store.Items().back()->created, 45001.5);
  EXPECT_EQ(store.Categories().size(), 2u);
  EXPECT_EQ(*store.FindCategory(work), (CCategory{work, 0, 2, 7, u"Work"}));
}

TEST_F(DataFileTest, PicturesLoadedFromBmpRecordsKeepTheirFormatAndPixels) {
  TBitmap picture(5, 3, 24);
  picture.Row(0)[0] = 0x7F;
  ASSERT_TRUE(driver.CopyBitmap(picture));
  dynamic_cast<CImageItem&>(Head()).savedAs = EPictureRecord::kBmp;
  const auto& captured = *dynamic_cast<const CImageItem&>(Head()).Picture();
  const TBitmap expected = captured;
  store.LoadFromMemory(store.SaveToMemory());
  const auto* loaded = dynamic_cast<const CImageItem*>(&Head());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(*loaded->Picture(), expected);
  EXPECT_EQ(loaded->textLength, 0);
}

TEST_F(DataFileTest, OrphanedClipsAreNotSaved) {
  AddText(u"kept", kHistoryCategoryId);
  AddText(u"orphan", 1005);
  store.FindItem(store.Items().back()->id)->orphaned = true;
  store.LoadFromMemory(store.SaveToMemory());
  EXPECT_EQ(History(), std::vector<std::u16string>{u"kept"});
  EXPECT_TRUE(TextsOf(1005).empty());
}

TEST_F(DataFileTest, NextCategoryIdContinuesFromTheStoredCounter) {
  store.AddCategory(CCategory{0, 0, 0, 0, u"a"});
  store.AddCategory(CCategory{0, 0, 0, 0, u"b"});
  store.DeleteCategory(1002);
  const auto bytes = store.SaveToMemory();
  CDataBase fresh;
  fresh.LoadFromMemory(bytes);
  EXPECT_EQ(fresh.AddCategory(CCategory{}), 1003);
}

TEST_F(DataFileTest, CounterBelowAStoredCategoryIdIsRaised) {
  const Bytes bytes = Concat({Le32(100), Le32(1000), Le32(kCategoryRecord), Le32(16), Le32(1007),
                              Le32(0), Le32(0), Le32(0), Le32(0)});
  store.LoadFromMemory(bytes);
  EXPECT_EQ(store.AddCategory(CCategory{}), 1008);
}

TEST_F(DataFileTest, LegacyFileIsReadAndTheNextSaveConvertsIt) {
  WriteBytes(DataPath(),
             Concat({LegacyRecord(0, 40000.5, u"old history"),
                     LegacyRecord(1, 40001.5, u"old note"), LegacyRecord(0, 40002.5, u"")}));
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_EQ(store.LastLoad().format, DataFormat::kLegacy);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"", u"old history"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"old note"});
  EXPECT_EQ(store.Items().back()->created, 40000.5);
  store.SaveToFile(DataPath());
  EXPECT_EQ(FileBytes(DataPath())[0], 100);
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_EQ(store.Items().size(), 3u);
}

TEST_F(DataFileTest, EmptyFileIsAnEmptyLegacyFile) {
  WriteBytes(DataPath(), {});
  AddText(u"dropped by the load", kHistoryCategoryId);
  EXPECT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_EQ(store.LastLoad().format, DataFormat::kLegacy);
  EXPECT_FALSE(store.LastLoad().damaged);
  EXPECT_TRUE(store.Items().empty());
}

TEST_F(DataFileTest, MissingFileLeavesAnEmptyStoreAndTheCounters) {
  AddText(u"x", kHistoryCategoryId);
  store.AddCategory(CCategory{});
  EXPECT_FALSE(store.LoadFromFile(DataPath()));
  EXPECT_TRUE(store.Items().empty());
  EXPECT_TRUE(store.Categories().empty());
  EXPECT_EQ(store.LastCategoryId(), 1001);
  EXPECT_EQ(store.LastLoad().format, DataFormat::kNone);
}

TEST_F(DataFileTest, UnknownKindIsSkippedBySize) {
  AddText(u"after", kHistoryCategoryId);
  Bytes bytes = store.SaveToMemory();
  const Bytes unknown = Concat({Le32(77), Le32(8), Bytes(8, 0xEE)});
  bytes.insert(bytes.begin() + 8, unknown.begin(), unknown.end());
  store.LoadFromMemory(bytes);
  EXPECT_EQ(History(), std::vector<std::u16string>{u"after"});
  EXPECT_EQ(store.LastLoad().skippedRecords, 1);
  EXPECT_FALSE(store.LastLoad().damaged);
}

struct DamageCase {
  const char* name;
  Bytes tail;  // after a valid header and one text record of 32 bytes
  const char* reason;
};

class DamagedRecordTest : public DataFileTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedRecordTest, StopsThereKeepsWhatCameBeforeAndSaysWhereAndWhy) {
  AddText(u"abc", kHistoryCategoryId);
  Bytes bytes = store.SaveToMemory();
  bytes.insert(bytes.end(), GetParam().tail.begin(), GetParam().tail.end());
  store.LoadFromMemory(bytes);
  EXPECT_EQ(History(), std::vector<std::u16string>{u"abc"});
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_EQ(store.LastLoad().damageOffset, 40u);
  EXPECT_NE(store.LastLoad().damageReason.find(GetParam().reason), std::string::npos)
      << store.LastLoad().damageReason;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedRecordTest,
    ::testing::Values(
        DamageCase{"SizeCutShort", {9, 0, 0, 0, 8}, "cut short"},
        DamageCase{"TextCutShort", Concat({Le32(1), Le32(16), Le32(10)}), "cut short"},
        DamageCase{"NegativeTextLength",
                   Concat({Le32(1), Le32(16), Le32(10), DoubleBytes(1), {0, 0}, Le32(-5)}),
                   "negative text length"},
        DamageCase{"HugeTextLength",
                   Concat({Le32(1), Le32(16), Le32(10), DoubleBytes(1), {0, 0}, Le32(0x7FFFFFFF)}),
                   "runs past the end"},
        DamageCase{"UnknownKindWithNegativeSize", Concat({Le32(9), Le32(-1)}), "runs past the end"},
        DamageCase{"UnknownKindPastTheEnd", Concat({Le32(9), Le32(100), Le32(0)}),
                   "runs past the end"},
        DamageCase{"CategoryCutShort", Concat({Le32(kCategoryRecord), Le32(16), Le32(1001)}),
                   "cut short"},
        DamageCase{"PictureNotABmp",
                   Concat({Le32(2), Le32(0), Le32(10), DoubleBytes(1), {0, 0}, Bytes(60, 'x')}),
                   "invalid picture"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(DataFileTest, OneToThreeBytesAfterTheLastRecordAreTheEnd) {
  AddText(u"abc", kHistoryCategoryId);
  const Bytes whole = store.SaveToMemory();
  for (const Bytes& tail : {Bytes{1}, Bytes{0, 0}, Bytes{0xFF, 0xFF, 0xFF}}) {
    store.LoadFromMemory(Concat({whole, tail}));
    EXPECT_EQ(History(), std::vector<std::u16string>{u"abc"});
    EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  }
}

TEST_F(DataFileTest, CategoryCounterBelowTheFirstUserIdIsRaised) {
  Bytes bytes = store.SaveToMemory();
  bytes[4] = 5;  // lastCategoryId 5: the next category would take the history's id 10
  bytes[5] = 0;
  store.LoadFromMemory(bytes);
  EXPECT_EQ(store.LastCategoryId(), CDataBase::kCategoryIdBase);
  EXPECT_EQ(store.AddCategory(CCategory{0, 0, 1, 0, u"c"}), 1001);
  store.SetLastCategoryId(-7);
  EXPECT_EQ(store.LastCategoryId(), 1001);
}

TEST_F(DataFileTest, PictureCutShortByTheEndKeepsItsRowsAndIsReported) {
  TBitmap picture(2, 3, 24);
  picture.Row(0)[0] = 0x7F;  // the top row comes last in the file
  ASSERT_TRUE(driver.CopyBitmap(picture));
  dynamic_cast<CImageItem&>(Head()).savedAs = EPictureRecord::kBmp;
  const Bytes whole = store.SaveToMemory();
  store.LoadFromMemory(std::span(whole.data(), whole.size() - 8));  // most of the top row
  ASSERT_EQ(store.Items().size(), 1u);
  const auto* loaded = dynamic_cast<const CImageItem*>(store.Items().front().get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Picture()->Height(), 3);
  EXPECT_EQ(loaded->Picture()->Row(2)[0], picture.Row(2)[0]);
  EXPECT_EQ(loaded->Picture()->Row(0)[0], 0);
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_EQ(store.LastLoad().damageOffset, 8u);
  EXPECT_NE(store.LastLoad().damageReason.find("8 pixel bytes missing"), std::string::npos);
}

TEST_F(DataFileTest, LegacyRecordCutShortKeepsTheRecordsBefore) {
  const Bytes whole = LegacyRecord(0, 1.0, u"first");
  store.LoadFromMemory(Concat({whole, Bytes(whole.begin(), whole.begin() + 20)}));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"first"});
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_EQ(store.LastLoad().damageOffset, whole.size());
}

TEST_F(DataFileTest, DamagedFileIsKeptBesideTheDataFileUntouched) {
  AddText(u"abc", kHistoryCategoryId);
  const Bytes damaged = Concat({store.SaveToMemory(), Le32(1), Le32(16)});
  WriteBytes(DataPath(), damaged);
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  const auto copy = store.LastLoad().damagedCopy;
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(copy.parent_path(), DataPath().parent_path());
  EXPECT_EQ(copy.filename().string().rfind("data.dat.damaged-", 0), 0u) << copy;
  EXPECT_EQ(FileBytes(copy), damaged);
  store.SaveToFile(DataPath());
  EXPECT_EQ(FileBytes(copy), damaged);
  ASSERT_TRUE(store.LoadFromFile(DataPath()));
  EXPECT_FALSE(store.LastLoad().damaged);
}

TEST_F(DataFileTest, EveryTruncationLoadsTheWholeRecordsBeforeIt) {
  AddText(u"one", kHistoryCategoryId);
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 2, 24)));
  AddText(u"two", kNotesCategoryId);
  store.AddCategory(CCategory{0, 0, 1, 0, u"c"});
  std::size_t pngBytes = 0;
  for (const auto& clip : store.Items()) {
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get())) {
      pngBytes = image->EncodedPng().size();
    }
  }
  const Bytes whole = store.SaveToMemory();
  for (std::size_t length = 8; length < whole.size(); ++length) {
    CDataBase partial;
    partial.LoadFromMemory(std::span(whole.data(), length));
    const auto& report = partial.LastLoad();
    // Tail first: header 8, the note 32, "one" 32, the picture 22 + its PNG image, then the
    // category.
    // One to three bytes after a record are no record at all.
    const std::size_t pictureEnd = 72 + 22 + pngBytes;
    const bool onBoundary =
        std::ranges::any_of(std::array<std::size_t, 4>{8, 40, 72, pictureEnd},
                            [&](auto end) { return length >= end && length - end < 4; });
    EXPECT_EQ(report.damaged, !onBoundary) << length;
    if (report.damaged) {
      EXPECT_LT(report.damageOffset, length) << length;
    }
  }
}

TEST_F(DataFileTest, EverySingleByteFlipLoadsWithoutHarm) {
  AddText(u"flip", kHistoryCategoryId);
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 1, 8)));
  store.AddCategory(CCategory{0, 0, 1, 0, u"c"});
  const Bytes whole = store.SaveToMemory();
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (std::uint8_t mask : {std::uint8_t{0x01}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
      Bytes flipped = whole;
      flipped[at] ^= mask;
      CDataBase loaded;
      loaded.LoadFromMemory(flipped);
      EXPECT_LE(loaded.Items().size(), 2u);
    }
  }
}

TEST_F(DataFileTest, SaveIntoAMissingFolderFailsWithAFileError) {
  EXPECT_THROW(store.SaveToFile(folder.Path() / "no such folder" / "data.dat"), CFileError);
}

TEST_F(DataFileTest, SaveReplacesTheOldFileAndLeavesNothingElse) {
  WriteBytes(DataPath(), Bytes(1000, 0x55));
  AddText(u"new", kHistoryCategoryId);
  ASSERT_TRUE(store.SaveToFile(DataPath()));
  EXPECT_EQ(FileBytes(DataPath()), store.SaveToMemory());
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    EXPECT_EQ(entry.path().filename(), "data.dat");
  }
}

}  // namespace
