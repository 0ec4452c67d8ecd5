// Formatted text, file lists and pictures offered as PNG or device-independent bitmaps:
// taken from the clipboard, put back as they came, and the limits on what is kept.

#include <gtest/gtest.h>

#include "store/file_list_item.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

Bytes UnicodeBytes(std::u16string_view text) {
  std::u16string terminated(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(terminated.c_str());
  return Bytes(bytes, bytes + (terminated.size() + 1) * 2);
}

Bytes Le32(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A DROPFILES header whose paths begin right after it, in ANSI when `wide` is 0.
Bytes DropFilesHeader(std::uint32_t wide) {
  CByteWriter header;
  header.WriteUInt32(20);
  for (int i = 0; i < 3; ++i) header.WriteUInt32(0);  // pt, fNC
  header.WriteUInt32(wide);
  return header.Bytes();
}

// A 32-bit picture whose pixels differ in colour and opacity.
TBitmap TranslucentPicture() {
  TBitmap picture(3, 2, 32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 4;
      pixel[0] = static_cast<std::uint8_t>(40 * x);
      pixel[1] = static_cast<std::uint8_t>(90 * y);
      pixel[2] = 200;
      pixel[3] = static_cast<std::uint8_t>(x * 100 + y * 20);  // 0 (clear) to 220
    }
  }
  EXPECT_TRUE(picture.SetHasAlpha(true));
  return picture;
}

class RichContentTest : public StoreTest {
 protected:
  RichContentTest() { SetCapacity(100); }

  UINT Html() const { return RegisterClipboardFormatA("HTML Format"); }
  UINT Rtf() const { return RegisterClipboardFormatA("Rich Text Format"); }
  UINT Png() const { return RegisterClipboardFormatA("PNG"); }
  UINT DropEffect() const { return RegisterClipboardFormatA("Preferred DropEffect"); }

  const CTextItem& HeadText() { return dynamic_cast<const CTextItem&>(Head()); }
  const CImageItem& HeadPicture() { return dynamic_cast<const CImageItem&>(Head()); }
  const CFileListItem& HeadFiles() { return dynamic_cast<const CFileListItem&>(Head()); }

  const Bytes html_ = BytesOf("Version:0.9\r\nStartHTML:0\r\n<b>bold</b> text");
  const Bytes rtf_ = BytesOf("{\\rtf1\\ansi {\\b bold} text}");
};

TEST_F(RichContentTest, TextKeepsItsHtmlAndRtfAndPutsThemBackBesideIt) {
  ASSERT_TRUE(driver.CopyFormats(
      {{CF_UNICODETEXT, UnicodeBytes(u"bold text")}, {Html(), html_}, {Rtf(), rtf_}}));
  ASSERT_EQ(HeadText().formats.size(), 2u);
  EXPECT_EQ(HeadText().formats[0], (CClipFormat{u"HTML Format", html_}));
  EXPECT_EQ(HeadText().formats[1], (CClipFormat{u"Rich Text Format", rtf_}));
  EXPECT_EQ(store.LastCaption(), u"bold text");

  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  EXPECT_EQ(driver.ReadUnicodeText(), u"bold text");
  EXPECT_EQ(driver.ReadFormat(Html()), html_);
  EXPECT_EQ(driver.ReadFormat(Rtf()), rtf_);
  // The write came back as the newest clip, formats and all.
  EXPECT_EQ(History().size(), 1u);
  EXPECT_EQ(HeadText().formats.size(), 2u);
}

TEST_F(RichContentTest, FormatsBeyondMaxFormatSizeLeaveThePlainTextOnly) {
  const Bytes large(700, 'x');
  SetMaxFormatBytes(1024);  // for both
  ASSERT_TRUE(
      driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"a")}, {Html(), large}, {Rtf(), large}}));
  EXPECT_EQ(HeadText().text, u"a");
  EXPECT_TRUE(HeadText().formats.empty());

  SetMaxFormatBytes(2048);
  ASSERT_TRUE(
      driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"b")}, {Html(), large}, {Rtf(), large}}));
  EXPECT_EQ(HeadText().formats.size(), 2u);

  SetMaxFormatBytes(0);
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"c")}, {Html(), html_}}));
  EXPECT_TRUE(HeadText().formats.empty());
  EXPECT_EQ(History().size(), 3u);
}

TEST_F(RichContentTest, PlainTextPutLeavesTheFormatsOutAndTheClipAsItWas) {
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"styled")}, {Html(), html_}}));
  const int styled = Head().id;
  ASSERT_TRUE(store.PutItemTextToClipboard(styled));
  EXPECT_EQ(driver.ReadUnicodeText(), u"styled");
  EXPECT_FALSE(driver.Offers(Html()));
  ASSERT_NE(store.FindItem(styled), nullptr);
  EXPECT_EQ(dynamic_cast<const CTextItem*>(store.FindItem(styled))->formats.size(), 1u);
  // A plain copy of the same text is a clip of its own: it differs in what it keeps.
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"styled", u"styled"}));
  EXPECT_TRUE(HeadText().formats.empty());
}

TEST_F(RichContentTest, PlainTextOfAFileListIsItsPathsAndOfAPictureNothing) {
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, DropListOf({u"C:\\a.txt", u"D:\\b"})}}));
  ASSERT_TRUE(store.PutItemTextToClipboard(Head().id));
  EXPECT_EQ(driver.ReadUnicodeText(), u"C:\\a.txt\r\nD:\\b");
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(2, 2, 24)));
  EXPECT_FALSE(store.PutItemTextToClipboard(Head().id));
  EXPECT_FALSE(store.PutItemTextToClipboard(12345));
}

TEST_F(RichContentTest, PrivateMarksKeepFormattedTextAndFilesOut) {
  const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  ASSERT_TRUE(driver.CopyFormats(
      {{CF_UNICODETEXT, UnicodeBytes(u"secret")}, {Html(), html_}, {exclude, {0}}}));
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, DropListOf({u"C:\\secret"})}, {exclude, {0}}}));
  EXPECT_TRUE(store.Items().empty());
}

TEST_F(RichContentTest, FileListIsAClipWithItsCaptionAndGoesBackWithItsDropEffect) {
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, DropListOf({u"C:\\docs\\report.pdf", u"C:\\a.txt",
                                                         u"C:\\pics", u"C:\\more.bin"})},
                                  {DropEffect(), Le32(2)}}));
  EXPECT_EQ(HeadFiles().paths.size(), 4u);
  EXPECT_EQ(HeadFiles().dropEffect, 2u);
  EXPECT_EQ(store.LastCaption(), Utf16("4 files: report.pdf, a.txt, pics, …"));

  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  const auto list = driver.ReadFormat(CF_HDROP);
  ASSERT_TRUE(list);
  EXPECT_EQ(PathsOfDropList(*list),
            (std::vector<std::u16string>{u"C:\\docs\\report.pdf", u"C:\\a.txt", u"C:\\pics",
                                         u"C:\\more.bin"}));
  EXPECT_EQ(driver.ReadFormat(DropEffect()), Le32(2));
  EXPECT_EQ(History().size(), 1u);
}

TEST_F(RichContentTest, FilesWinOverTheirNamesAsTextAndOneFileShowsItsName) {
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"C:\\x\\one.txt")},
                                  {CF_HDROP, DropListOf({u"C:\\x\\one.txt"})}}));
  EXPECT_EQ(Head().kind, kFileListKind);
  EXPECT_EQ(HeadFiles().dropEffect, 0u);
  EXPECT_EQ(store.LastCaption(), u"one.txt");
  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  EXPECT_FALSE(driver.Offers(DropEffect()));
}

TEST_F(RichContentTest, AnsiFileListsAreReadAndBrokenOnesAreNoClip) {
  Bytes ansi = DropFilesHeader(0);
  for (char c : std::string("C:\\Caf\xE9.txt")) ansi.push_back(static_cast<std::uint8_t>(c));
  ansi.push_back(0);
  ansi.push_back(0);
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, ansi}}));
  EXPECT_EQ(HeadFiles().paths, std::vector<std::u16string>{Utf16("C:\\Café.txt")});

  Bytes pastTheEnd = DropListOf({u"C:\\a"});
  pastTheEnd[0] = 0xF0;  // the paths would begin beyond the block
  Bytes unterminated = DropListOf({u"C:\\a"});
  unterminated.resize(unterminated.size() - 6);  // the path loses its NUL
  for (const Bytes& broken : {pastTheEnd, unterminated, Bytes{1, 2, 3}, DropListOf({})}) {
    ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, broken}}));
  }
  EXPECT_EQ(store.Items().size(), 1u);
}

TEST_F(RichContentTest, PictureOfferedOnlyAsPngIsTakenWithItsAlpha) {
  const TBitmap picture = TranslucentPicture();
  ASSERT_TRUE(driver.CopyFormats({{Png(), picture.ToPng()}}));
  ASSERT_EQ(store.Items().size(), 1u);
  EXPECT_EQ(*HeadPicture().Picture(), picture);
  EXPECT_EQ(store.LastCaption(), u"Image");

  ASSERT_TRUE(driver.CopyFormats({{Png(), BytesOf("\x89PNG\r\n\x1A\n broken")}}));
  EXPECT_EQ(store.Items().size(), 1u);
}

TEST_F(RichContentTest, OpaquePngIsAnOpaquePictureAndGoesBackAsABitmapOnly) {
  TBitmap opaque(2, 2, 32);
  for (int y = 0; y < 2; ++y) std::fill_n(opaque.Row(y), 8, std::uint8_t{0xFF});
  ASSERT_TRUE(driver.CopyFormats({{Png(), opaque.ToPng()}}));
  EXPECT_FALSE(HeadPicture().Picture()->HasAlpha());
  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  EXPECT_TRUE(driver.Offers(CF_BITMAP));
  EXPECT_FALSE(driver.Offers(Png()));
  // Windows makes a CF_DIBV5 of a CF_BITMAP on request; then it is an opaque one.
  if (const auto version5 = driver.ReadFormat(CF_DIBV5)) {
    const auto made = TBitmap::FromPackedDib(*version5);
    ASSERT_TRUE(made);
    EXPECT_FALSE(made->HasAlpha());
  }
}

TEST_F(RichContentTest, DibV5KeepsAlphaAndAPlainDibIsOpaque) {
  const TBitmap picture = TranslucentPicture();
  ASSERT_TRUE(driver.CopyFormats({{CF_DIBV5, picture.ToPackedDibV5()}}));
  EXPECT_EQ(*HeadPicture().Picture(), picture);

  // A CF_DIB's fourth bytes are no opacity, whatever they hold.
  Bytes dib = picture.ToPackedDibV5();
  std::fill(dib.begin() + 52, dib.begin() + 56, std::uint8_t{0});  // no alpha mask
  ASSERT_TRUE(driver.CopyFormats({{CF_DIB, dib}}));
  EXPECT_EQ(HeadPicture().Picture()->Width(), 3);
  EXPECT_FALSE(HeadPicture().Picture()->HasAlpha());
  EXPECT_EQ(HeadPicture().Picture()->ToRgb32(), picture.ToRgb32());
}

TEST_F(RichContentTest, PictureWithAlphaGoesBackAsBitmapDibV5AndPngWithTheSameAlpha) {
  const TBitmap picture = TranslucentPicture();
  ASSERT_TRUE(driver.CopyFormats({{Png(), picture.ToPng()}}));
  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(store.PutItemToClipboard(Head().id));
  const auto version5 = driver.ReadFormat(CF_DIBV5);
  const auto png = driver.ReadFormat(Png());
  ASSERT_TRUE(version5 && png);
  EXPECT_EQ(TBitmap::FromPackedDib(*version5), picture);
  EXPECT_EQ(TBitmap::FromPng(*png), picture);
  const auto bitmap = driver.ReadBitmap();
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->ToRgb32(), picture.ToRgb32());
  EXPECT_EQ(History().size(), 1u);
}

TEST_F(RichContentTest, SameTextWithOtherFormatsIsANewClip) {
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"t")}, {Html(), html_}}));
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"t")}, {Html(), html_}}));
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, UnicodeBytes(u"t")}, {Rtf(), rtf_}}));
  EXPECT_EQ(History().size(), 2u);
}

}  // namespace
