// A clip's content as the blocks another program is given outside the clipboard (a drag):
// each kind's formats, the same bytes that a paste from the clipboard finds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/bitmap.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes UnitsWithNul(std::u16string_view text) {
  std::u16string terminated(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(terminated.c_str());
  return Bytes(bytes, bytes + (terminated.size() + 1) * 2);
}

std::vector<UINT> FormatsOf(const std::vector<CClipBlock>& blocks) {
  std::vector<UINT> formats;
  for (const CClipBlock& block : blocks) formats.push_back(block.format);
  return formats;
}

TBitmap Gradient(int bitsPerPixel) {
  TBitmap picture(5, 3, bitsPerPixel);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5 * bitsPerPixel / 8; ++x) {
      picture.Row(y)[x] = static_cast<std::uint8_t>(y * 50 + x * 9);
    }
  }
  return picture;
}

TEST(TransferBlocksTest, TextGivesUnicodeTextThenItsFormatsInOrder) {
  CTextItem clip;
  clip.text = u"bold text";
  clip.formats = {{u"HTML Format", {'<', 'b', '>'}}, {u"Rich Text Format", {'{', '}'}}};
  const std::vector<CClipBlock> blocks = clip.TransferBlocks();
  ASSERT_EQ(FormatsOf(blocks),
            (std::vector<UINT>{CF_UNICODETEXT, RegisterClipboardFormatW(AsWide(u"HTML Format")),
                               RegisterClipboardFormatW(AsWide(u"Rich Text Format"))}));
  EXPECT_EQ(blocks[0].bytes, UnitsWithNul(u"bold text"));
  EXPECT_EQ(blocks[1].bytes, (Bytes{'<', 'b', '>'}));
  EXPECT_EQ(blocks[2].bytes, (Bytes{'{', '}'}));
}

TEST(TransferBlocksTest, TextEndsAtItsFirstNulAndAnEmptyTextIsOneNul) {
  CTextItem clip;
  clip.text = std::u16string(u"kept\0hidden", 11);
  EXPECT_EQ(clip.TransferBlocks(),
            (std::vector<CClipBlock>{{CF_UNICODETEXT, UnitsWithNul(u"kept")}}));
  clip.text = u"";
  EXPECT_EQ(clip.TransferBlocks(), (std::vector<CClipBlock>{{CF_UNICODETEXT, Bytes{0, 0}}}));
}

TEST(TransferBlocksTest, PictureIsAPackedDibInItsOwnFormat) {
  for (int depth : {24, 32}) {
    CImageItem clip;
    clip.SetPicture(TBitmap(Gradient(depth)));
    const std::vector<CClipBlock> blocks = clip.TransferBlocks();
    ASSERT_EQ(FormatsOf(blocks), std::vector<UINT>{CF_DIB}) << depth;
    const std::optional<TBitmap> back = TBitmap::FromPackedDib(blocks[0].bytes);
    ASSERT_TRUE(back.has_value()) << depth;
    EXPECT_EQ(*back, *clip.Picture()) << depth;
  }
}

TEST(TransferBlocksTest, PictureWithAlphaAlsoGivesDibV5AndPng) {
  TBitmap translucent = Gradient(32);
  ASSERT_TRUE(translucent.SetHasAlpha(true));
  CImageItem clip;
  clip.SetPicture(TBitmap(translucent));
  const std::vector<CClipBlock> blocks = clip.TransferBlocks();
  ASSERT_EQ(FormatsOf(blocks),
            (std::vector<UINT>{CF_DIB, CF_DIBV5, RegisterClipboardFormatW(AsWide(u"PNG"))}));
  EXPECT_EQ(blocks[1].bytes, translucent.ToPackedDibV5());
  const std::optional<TBitmap> fromPng = TBitmap::FromPng(blocks[2].bytes);
  ASSERT_TRUE(fromPng.has_value());
  EXPECT_EQ(fromPng->ToRgb32(), translucent.ToRgb32());
}

TEST(TransferBlocksTest, FileListGivesItsPathsAndItsDropEffect) {
  CFileListItem clip;
  clip.paths = {u"C:\\a.txt", u"D:\\b\\c.pdf"};
  std::vector<CClipBlock> blocks = clip.TransferBlocks();
  ASSERT_EQ(FormatsOf(blocks), std::vector<UINT>{CF_HDROP});
  EXPECT_EQ(PathsOfDropList(blocks[0].bytes), clip.paths);

  clip.dropEffect = 2;  // cut
  blocks = clip.TransferBlocks();
  ASSERT_EQ(FormatsOf(blocks), (std::vector<UINT>{CF_HDROP, DropEffectFormat()}));
  EXPECT_EQ(blocks[1].bytes, (Bytes{2, 0, 0, 0}));
}

TEST(TransferBlocksTest, ClipsWithoutContentGiveNothing) {
  EXPECT_TRUE(CImageItem().TransferBlocks().empty());
  EXPECT_TRUE(CFileListItem().TransferBlocks().empty());
}

}  // namespace
