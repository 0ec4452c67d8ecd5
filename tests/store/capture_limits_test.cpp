// What a capture keeps at most: pictures by their size at 32 bits a pixel, texts by their
// length, file lists by their number of paths; content beyond is refused and said so, and a
// stored list beyond is cut at load.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"
#include "foundation/file_io.h"
#include "platform/handles.h"
#include "store/clipboard_blocks.h"
#include "store/file_list_item.h"
#include "tests/support/store_fixture.h"

namespace {

// The first bytes of a packed DIB whose BITMAPINFOHEADER names this size and depth: a
// two-colour table and a few pixel bytes, far fewer than the header's size needs.
std::vector<std::uint8_t> ClaimingDibHeader(std::int32_t width, std::int32_t height,
                                            std::uint16_t bitsPerPixel) {
  CByteWriter dib;
  dib.WriteUInt32(40);
  dib.WriteInt32(width);
  dib.WriteInt32(height);
  dib.WriteUInt16(1);
  dib.WriteUInt16(bitsPerPixel);
  for (int field = 0; field < 6; ++field) dib.WriteUInt32(0);
  dib.WriteUInt32(0x000000);  // the colour table
  dib.WriteUInt32(0xFFFFFF);
  for (int pixels = 0; pixels < 4; ++pixels) dib.WriteUInt32(0xAAAAAAAA);
  return std::move(dib.Bytes());
}

// The same with the old 12-byte core header, whose sizes are 16 bits.
std::vector<std::uint8_t> ClaimingDibCoreHeader(std::uint16_t width, std::uint16_t height) {
  CByteWriter dib;
  dib.WriteUInt32(12);
  dib.WriteUInt16(width);
  dib.WriteUInt16(height);
  dib.WriteUInt16(1);
  dib.WriteUInt16(1);
  dib.WriteBytes("\0\0\0\xFF\xFF\xFF", 6);
  return std::move(dib.Bytes());
}

// The signature and header chunk of a PNG image of that size, and no pixels.
std::vector<std::uint8_t> ClaimingPngHeader(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                   0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  for (const std::uint32_t side : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8)
      png.push_back(static_cast<std::uint8_t>(side >> shift));
  }
  for (const std::uint8_t field : {8, 6, 0, 0, 0, 0, 0, 0, 0}) png.push_back(field);  // and a CRC
  return png;
}

// A CF_HDROP block of `count` ANSI paths of one letter each.
std::vector<std::uint8_t> OneLetterAnsiDropList(std::size_t count) {
  CByteWriter block;
  block.WriteUInt32(20);
  for (int field = 0; field < 4; ++field) block.WriteUInt32(0);  // pt, fNC, fWide 0
  std::vector<std::uint8_t> paths(count * 2 + 1, 0);
  for (std::size_t i = 0; i < count; ++i) paths[i * 2] = 'a';
  block.WriteBytes(paths.data(), paths.size());
  return std::move(block.Bytes());
}

std::vector<std::uint8_t> UnicodeTextBlock(std::u16string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  std::vector<std::uint8_t> block(bytes, bytes + text.size() * 2);
  block.push_back(0);
  block.push_back(0);
  return block;
}

class CaptureLimitsTest : public StoreTest {
 protected:
  CaptureLimitsTest() { CopyTexts({u"before"}); }

  void SetMaxTextUnits(std::size_t units) {
    CStoreLimits limits = store.Limits();
    limits.maxTextUnits = units;
    store.SetLimits(limits);
  }
};

TEST_F(CaptureLimitsTest, PictureTooLargeAtThirtyTwoBitsIsRefusedWhateverItsDepth) {
  // 32768 x 32768 at 1 bit a pixel is 128 MB on the clipboard but 4 GiB at 32 bits; the
  // limit lies at 2^27 pixels, 16384 x 8192, whichever way the rows run.
  const struct {
    std::vector<std::uint8_t> dib;
    const char16_t* refusal;
  } refused[] = {
      {ClaimingDibHeader(32768, 32768, 1), u"Picture too large to keep (32768 x 32768 pixels)"},
      {ClaimingDibHeader(16384, 8193, 1), u"Picture too large to keep (16384 x 8193 pixels)"},
      {ClaimingDibHeader(16384, -8193, 8), u"Picture too large to keep (16384 x 8193 pixels)"},
      {ClaimingDibCoreHeader(40000, 2), u"Picture too large to keep (40000 x 2 pixels)"},
  };
  for (const auto& [dib, refusal] : refused) {
    ASSERT_TRUE(driver.CopyFormats({{CF_DIB, dib}}));
    EXPECT_EQ(store.LastCaption(), refusal);
    ASSERT_TRUE(driver.CopyText(u"between"));
  }
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"between", u"before"}));

  // At the limit the picture is read, and this one is cut short: no clip, nothing refused.
  ASSERT_TRUE(driver.CopyFormats({{CF_DIB, ClaimingDibHeader(16384, 8192, 1)}}));
  EXPECT_EQ(store.LastCaption(), u"between");
  EXPECT_EQ(store.Items().size(), 2u);
}

TEST_F(CaptureLimitsTest, PngAndBitmapTooLargeAreRefusedAndSaidSo) {
  const UINT png = RegisteredFormat(u"PNG");
  ASSERT_TRUE(driver.CopyFormats({{png, ClaimingPngHeader(16384, 8193)}}));
  EXPECT_EQ(store.LastCaption(), u"Picture too large to keep (16384 x 8193 pixels)");
  ASSERT_TRUE(driver.CopyText(u"after the first"));
  // The PNG image is the picture: the bitmap beside it is not taken instead.
  ASSERT_TRUE(driver.CopyFormats(
      {{png, ClaimingPngHeader(40000, 2)}, {CF_DIB, ClaimingDibHeader(2, 2, 24)}}));
  EXPECT_EQ(store.LastCaption(), u"Picture too large to keep (40000 x 2 pixels)");
  ASSERT_TRUE(driver.CopyText(u"after the second"));

  ScreenDc screen;
  BITMAPINFOHEADER wide{};
  wide.biSize = sizeof wide;
  wide.biWidth = TBitmap::kMaxSide + 1;
  wide.biHeight = 1;
  wide.biPlanes = 1;
  wide.biBitCount = 32;
  ASSERT_TRUE(driver.CopyBitmapHandle(
      UniqueBitmap(CreateDIBitmap(screen.get(), &wide, 0, nullptr, nullptr, DIB_RGB_COLORS))));
  EXPECT_EQ(store.LastCaption(), u"Picture too large to keep (32769 x 1 pixels)");
  EXPECT_EQ(History(),
            (std::vector<std::u16string>{u"after the second", u"after the first", u"before"}));
}

TEST_F(CaptureLimitsTest, TextLongerThanTheCapIsRefusedAndTextAtTheCapKept) {
  SetMaxTextUnits(8);
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeTextBlock(u"12345678")}}));
  EXPECT_EQ(History().front(), u"12345678");

  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeTextBlock(u"123456789")}}));
  EXPECT_EQ(store.LastCaption(), u"Text too long to keep (more than 8 characters)");
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"12345678", u"before"}));

  // What counts is the text before its NUL, not the block.
  const std::u16string ended(u"abcdefgh\0tail", 13);
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeTextBlock(ended)}}));
  EXPECT_EQ(History().front(), u"abcdefgh");
}

TEST_F(CaptureLimitsTest, FileListOfMorePathsThanTheLimitIsRefusedAndOneAtItKept) {
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, OneLetterAnsiDropList(kMaxDropPaths + 1)}}));
  EXPECT_EQ(store.LastCaption(), Utf16("Too many files to keep (more than " +
                                       std::to_string(kMaxDropPaths) + " in one copy)"));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"before"});

  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, OneLetterAnsiDropList(kMaxDropPaths)}}));
  ASSERT_EQ(store.Items().size(), 2u);
  EXPECT_EQ(dynamic_cast<const CFileListItem&>(Head()).paths.size(), kMaxDropPaths);
}

TEST_F(CaptureLimitsTest, StoredFileListBeyondTheLimitIsCutAndTheClipsAfterItLoad) {
  auto files = std::make_unique<CFileListItem>();
  files->paths.assign(kMaxDropPaths, u"C:\\kept");
  files->paths.push_back(u"C:\\first lost");
  files->paths.push_back(u"C:\\second lost");
  files->categoryId = kNotesCategoryId;
  store.AppendClip(std::move(files));
  auto after = std::make_unique<CTextItem>();
  after->text = u"after the list";
  after->categoryId = kNotesCategoryId;
  store.AppendClip(std::move(after));

  const std::filesystem::path path = folder.Path() / "данные" / "data.dat";
  std::filesystem::create_directories(path.parent_path());
  ASSERT_TRUE(store.SaveToFile(path));
  CDataBase loaded;
  ASSERT_TRUE(loaded.LoadFromFile(path));
  EXPECT_FALSE(loaded.LastLoad().damaged) << loaded.LastLoad().damageReason;
  EXPECT_EQ(loaded.LastLoad().cutFileLists, 1);
  // The original, with every path, is kept beside before a save can cut it.
  const std::filesystem::path copy = loaded.LastLoad().damagedCopy;
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(copy.filename().string().rfind("data.dat.cut-", 0), 0u) << copy;
  EXPECT_EQ(ClipTexts(loaded, kNotesCategoryId).back(), u"after the list");
  const auto& cut = dynamic_cast<const CFileListItem&>(*loaded.ClipAt(1));
  EXPECT_EQ(cut.paths.size(), kMaxDropPaths);
  EXPECT_EQ(cut.paths.back(), u"C:\\kept");

  // Saved again, the list is one a capture could have made: nothing more is cut, and the
  // copy still names the lost paths.
  ASSERT_TRUE(loaded.SaveToFile(path));
  CDataBase again;
  ASSERT_TRUE(again.LoadFromFile(path));
  EXPECT_EQ(again.LastLoad().cutFileLists, 0);
  EXPECT_TRUE(again.LastLoad().damagedCopy.empty());
  EXPECT_EQ(ClipTexts(again, kNotesCategoryId).size(), 2u);
  CDataBase kept;
  kept.LoadFromMemory(ReadWholeFile(copy, "the kept copy"));
  EXPECT_EQ(kept.LastLoad().cutFileLists, 1);
}

}  // namespace
