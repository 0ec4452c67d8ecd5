// The records added to the data file for formatted text, file lists and alpha: exact bytes,
// what an older reader makes of them, round trips, the journal, and damage inside them.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "foundation/content_digest.h"
#include "store/data_file_format.h"
#include "store/data_journal.h"
#include "store/file_list_item.h"
#include "store/png_encoder.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

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

std::uint32_t Read32(const Bytes& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

// What a reader that knows only texts, pictures and categories keeps of a data file: the
// records of those kinds, every other one skipped by its size, as such a reader does.
Bytes AsAnOlderReaderSeesIt(const Bytes& file) {
  Bytes kept(file.begin(), file.begin() + 8);
  std::size_t at = 8;
  while (at < file.size()) {
    const std::int32_t kind = static_cast<std::int32_t>(Read32(file, at));
    const std::uint32_t size = Read32(file, at + 4);
    std::size_t length;
    if (kind == kTextRecord) {
      length = 8 + size + 2;
    } else if (kind == kCategoryRecord) {
      length = 8 + size + 4;
    } else if (kind == kPictureRecord) {
      length = 22 + Read32(file, at + 22 + 2);  // the BMP image's own total size
    } else {
      at += 8 + size;
      continue;
    }
    kept.insert(kept.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                file.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  }
  return kept;
}

TBitmap TranslucentSquare() {
  TBitmap picture(2, 2, 32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 4;
      pixel[0] = 10;
      pixel[1] = static_cast<std::uint8_t>(50 * x);
      pixel[2] = static_cast<std::uint8_t>(70 * y);
      pixel[3] = static_cast<std::uint8_t>(60 * x + 120 * y);
    }
  }
  picture.SetHasAlpha(true);
  return picture;
}

class NewRecordsTest : public StoreTest {
 protected:
  NewRecordsTest() { SetCapacity(100); }

  void CopyStyledText(const std::u16string& text) {
    std::u16string terminated = text + u'\0';
    const auto* units = reinterpret_cast<const std::uint8_t*>(terminated.data());
    ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, Bytes(units, units + terminated.size() * 2)},
                                    {RegisterClipboardFormatA("HTML Format"), html_},
                                    {RegisterClipboardFormatA("Rich Text Format"), rtf_}}));
  }
  void CopyFiles(const std::vector<std::u16string>& paths, std::int32_t effect) {
    ASSERT_TRUE(
        driver.CopyFormats({{CF_HDROP, DropListOf(paths)},
                            {RegisterClipboardFormatA("Preferred DropEffect"), Le32(effect)}}));
  }
  // A store of every kind: a styled text, a file list, a translucent and an opaque picture,
  // a plain text in the notes, and a category.
  void FillWithEveryKind() {
    CopyStyledText(u"styled");
    CopyFiles({u"C:\\a.txt", Utf16("D:\\Ünter\\b")}, 1);
    ASSERT_TRUE(
        driver.CopyFormats({{RegisterClipboardFormatA("PNG"), TranslucentSquare().ToPng()}}));
    ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 1, 24)));
    WaitForPngEncodes();  // the pictures are saved as PNG images once these are made
    ASSERT_TRUE(driver.CopyText(u"note"));
    ASSERT_TRUE(store.MoveItem(Head().id, kNotesCategoryId));
    store.AddCategory(CCategory{0, 0, 1, 0, u"c"});
  }

  const Bytes html_ = {'<', 'b', '>', 'x', 0};
  const Bytes rtf_ = {'{', '\\', 'r', 't', 'f', '1', '}'};
};

TEST_F(NewRecordsTest, FormatsRecordFollowsTheTextRecordAsItWasBefore) {
  CopyStyledText(u"abc");
  Head().created = 46364.25;
  const Bytes saved = store.SaveToMemory();
  // The text record exactly as a clip without formats writes it, 32 bytes after the header.
  CTextItem plain;
  plain.categoryId = kHistoryCategoryId;
  plain.created = 46364.25;
  plain.text = u"abc";
  CByteWriter expected;
  plain.Save(expected);
  ASSERT_GE(saved.size(), 40u);
  EXPECT_EQ(Bytes(saved.begin() + 8, saved.begin() + 40), expected.Bytes());
  // Then kind 4 with an exact size: count 2, "HTML Format" and 5 bytes, "Rich Text Format" and 7.
  EXPECT_EQ(Read32(saved, 40), 4u);
  EXPECT_EQ(Read32(saved, 44), saved.size() - 48);
  EXPECT_EQ(Read32(saved, 48), 2u);
  EXPECT_EQ(saved.size(), 48u + 4 + (4 + 22 + 4 + 5) + (4 + 32 + 4 + 7));
}

// The same store without what the records unknown to an older reader carry: formats, file
// lists, alpha, and pictures kept as PNG images.
Bytes AsAnOlderReaderLoadsIt(const Bytes& saved) {
  CDataBase without;
  without.LoadFromMemory(saved);
  std::vector<int> unknown;
  for (auto& clip : without.Items()) {
    if (auto* text = dynamic_cast<CTextItem*>(clip.get())) text->formats.clear();
    if (auto* image = dynamic_cast<CImageItem*>(clip.get())) {
      TBitmap opaque = *image->Picture();
      opaque.SetHasAlpha(false);
      image->SetPicture(std::move(opaque));
      image->savedAs = EPictureRecord::kBmp;
      if (image->LoadedFrom() == EPictureRecord::kPng) unknown.push_back(clip->id);
    }
    if (clip->kind == kFileListKind) unknown.push_back(clip->id);
  }
  for (int id : unknown) without.DeleteItem(id);
  return without.SaveToMemory();
}

TEST_F(NewRecordsTest, AnOlderReaderGetsEveryTextByteForByteAndNoPictureKeptAsPng) {
  FillWithEveryKind();
  const Bytes saved = store.SaveToMemory();
  EXPECT_EQ(AsAnOlderReaderSeesIt(saved), AsAnOlderReaderLoadsIt(saved));
  CDataBase older;
  older.LoadFromMemory(AsAnOlderReaderSeesIt(saved));
  EXPECT_EQ(older.Items().size(), 2u);  // the styled text and the note
}

TEST_F(NewRecordsTest, AnOlderReaderGetsEveryPictureKeptAsBmpByteForByte) {
  FillWithEveryKind();
  for (auto& clip : store.Items()) {
    if (auto* image = dynamic_cast<CImageItem*>(clip.get())) image->savedAs = EPictureRecord::kBmp;
  }
  const Bytes saved = store.SaveToMemory();
  EXPECT_EQ(AsAnOlderReaderSeesIt(saved), AsAnOlderReaderLoadsIt(saved));
  CDataBase older;
  older.LoadFromMemory(AsAnOlderReaderSeesIt(saved));
  EXPECT_EQ(older.Items().size(), 4u);
}

TEST_F(NewRecordsTest, EveryKindSurvivesSaveAndLoadAndQuilleryReadsItsOwnFileAgain) {
  FillWithEveryKind();
  const Bytes saved = store.SaveToMemory();
  ASSERT_TRUE(store.SaveToFile(folder.Path() / "data.dat"));
  ASSERT_TRUE(store.LoadFromFile(folder.Path() / "data.dat"));
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  EXPECT_EQ(store.LastLoad().skippedRecords, 0);
  EXPECT_EQ(store.SaveToMemory(), saved);
  ASSERT_EQ(store.Items().size(), 5u);
  auto clip = store.Items().begin();
  EXPECT_EQ(dynamic_cast<const CImageItem&>(**clip).Picture()->HasAlpha(), false);
  ++clip;
  EXPECT_EQ(*dynamic_cast<const CImageItem&>(**clip).Picture(), TranslucentSquare());
  ++clip;
  const auto& files = dynamic_cast<const CFileListItem&>(**clip);
  EXPECT_EQ(files.paths, (std::vector<std::u16string>{u"C:\\a.txt", Utf16("D:\\Ünter\\b")}));
  EXPECT_EQ(files.dropEffect, 1u);
  ++clip;
  const auto& styled = dynamic_cast<const CTextItem&>(**clip);
  EXPECT_EQ(styled.formats,
            (std::vector<CClipFormat>{{u"HTML Format", html_}, {u"Rich Text Format", rtf_}}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"note"});
}

TEST_F(NewRecordsTest, AttachedRecordsWithoutTheirClipAreSkipped) {
  const Bytes formats = Concat({Le32(kFormatsRecord), Le32(4), Le32(0)});
  const Bytes alpha = Concat({Le32(kAlphaRecord), Le32(4), Le32(1)});
  ASSERT_TRUE(driver.CopyText(u"plain"));
  Bytes saved = store.SaveToMemory();
  // Before any clip, and an alpha record after a text.
  saved.insert(saved.begin() + 8, formats.begin(), formats.end());
  saved.insert(saved.end(), alpha.begin(), alpha.end());
  store.LoadFromMemory(saved);
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  EXPECT_EQ(store.LastLoad().skippedRecords, 2);
  EXPECT_EQ(History(), std::vector<std::u16string>{u"plain"});
}

struct NewDamageCase {
  const char* name;
  Bytes tail;  // after a text record, 8 + 32 bytes into the file
  const char* reason;
  int clips;  // clips kept
};

class NewRecordDamageTest : public NewRecordsTest,
                            public ::testing::WithParamInterface<NewDamageCase> {};

TEST_P(NewRecordDamageTest, StopsThereKeepsTheClipsBeforeAndSaysWhy) {
  ASSERT_TRUE(driver.CopyText(u"abc"));
  store.LoadFromMemory(Concat({store.SaveToMemory(), GetParam().tail}));
  EXPECT_TRUE(store.LastLoad().damaged);
  EXPECT_EQ(store.LastLoad().damageOffset, 40u);
  EXPECT_NE(store.LastLoad().damageReason.find(GetParam().reason), std::string::npos)
      << store.LastLoad().damageReason;
  EXPECT_EQ(static_cast<int>(store.Items().size()), GetParam().clips);
  EXPECT_EQ(dynamic_cast<const CTextItem&>(*store.Items().back()).text, u"abc");
}

INSTANTIATE_TEST_SUITE_P(
    Damage, NewRecordDamageTest,
    ::testing::Values(
        NewDamageCase{"FormatsPastTheEnd", Concat({Le32(kFormatsRecord), Le32(100), Le32(1)}),
                      "runs past the end", 1},
        NewDamageCase{"FormatsNegativeSize", Concat({Le32(kFormatsRecord), Le32(-4)}),
                      "runs past the end", 1},
        NewDamageCase{"FormatsNegativeCount", Concat({Le32(kFormatsRecord), Le32(4), Le32(-1)}),
                      "without a count", 1},
        NewDamageCase{"FormatLongerThanItsRecord",
                      Concat({Le32(kFormatsRecord), Le32(10), Le32(1), Le32(1), {'H', 0}}),
                      "runs past its record", 1},
        NewDamageCase{"FormatsRecordWithBytesLeftOver",
                      Concat({Le32(kFormatsRecord), Le32(8), Le32(0), Le32(0)}), "longer than", 1},
        NewDamageCase{"FileListCutShort",
                      Concat({Le32(kFileListRecord), Le32(8), Le32(10), Le32(0)}), "cut short", 1},
        NewDamageCase{"FileListPathPastItsRecord",
                      Concat({Le32(kFileListRecord),
                              Le32(28),
                              Le32(10),
                              Bytes(8, 0),
                              {0, 0},
                              Le32(0),
                              Le32(1),
                              Le32(50),
                              Bytes(2, 0)}),
                      "runs past its file list record", 1},
        NewDamageCase{"FileListPastTheEnd", Concat({Le32(kFileListRecord), Le32(1000)}),
                      "runs past the end", 1}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(NewRecordsTest, EveryTruncationKeepsTheWholeClipsBeforeIt) {
  FillWithEveryKind();
  const Bytes whole = store.SaveToMemory();
  std::size_t previous = 0;
  for (std::size_t length = 8; length < whole.size(); ++length) {
    CDataBase partial;
    partial.LoadFromMemory(std::span(whole.data(), length));
    const auto& report = partial.LastLoad();
    if (report.damaged) {
      EXPECT_LT(report.damageOffset, length) << length;
    }
    // Cutting more never gives more clips.
    EXPECT_GE(partial.Items().size(), previous) << length;
    previous = partial.Items().size();
  }
}

TEST_F(NewRecordsTest, EverySingleByteFlipLoadsWithoutHarm) {
  CopyStyledText(u"f");
  CopyFiles({u"C:\\x"}, 2);
  ASSERT_TRUE(driver.CopyFormats({{RegisterClipboardFormatA("PNG"), TranslucentSquare().ToPng()}}));
  WaitForPngEncodes();
  const Bytes whole = store.SaveToMemory();
  for (std::size_t at = 8; at < whole.size(); ++at) {
    for (std::uint8_t mask : {std::uint8_t{0x01}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
      Bytes flipped = whole;
      flipped[at] ^= mask;
      CDataBase loaded;
      loaded.LoadFromMemory(flipped);
      EXPECT_LE(loaded.Items().size(), 3u);
    }
  }
}

TEST_F(NewRecordsTest, TheJournalCarriesFormatsFileListsAndAlpha) {
  const Bytes saved = store.SaveToMemory();
  CJournalDiff diff;
  diff.Reset(store);
  FillWithEveryKind();
  Bytes journal = JournalHeader();
  CContentDigest digest;
  digest.Add(saved);
  const Bytes base = JournalBaseFrame(digest.Value());
  const Bytes frames = diff.Changes(store);
  journal.insert(journal.end(), base.begin(), base.end());
  journal.insert(journal.end(), frames.begin(), frames.end());

  CDataBase replayed;
  replayed.LoadFromMemory(saved);
  CByteReader reader(journal.data(), journal.size());
  const CJournalReplay replay = ReplayJournal(reader, digest.Value(), replayed);
  EXPECT_TRUE(replay.stopReason.empty()) << replay.stopReason;
  EXPECT_EQ(replayed.SaveToMemory(), store.SaveToMemory());
}

}  // namespace
