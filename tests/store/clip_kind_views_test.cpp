// What each kind of clip offers to the lists and the search without being told apart by
// its caller: its caption, its picture and its searchable text.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

TEST(ClipKindViewsTest, ATextIsCaptionedAndSearchedByItsOwnText) {
  CTextItem clip;
  clip.text = u"  first line\nsecond\t";
  EXPECT_EQ(clip.Caption(), u"first line\nsecond");
  ASSERT_NE(clip.SearchableText(), nullptr);
  EXPECT_EQ(clip.SearchableText(), &clip.text);  // no copy of a long text
  EXPECT_EQ(clip.Picture(), nullptr);
}

TEST(ClipKindViewsTest, ALongTextIsCaptionedByItsHeadOnly) {
  CTextItem clip;
  clip.text = std::u16string(300, u'x');
  EXPECT_EQ(clip.Caption().size(), 200u);
}

TEST(ClipKindViewsTest, AFileListIsCaptionedByItsNamesAndNotSearched) {
  CFileListItem clip;
  clip.paths = {u"C:\\work\\a.txt", u"C:\\work\\b.txt"};
  EXPECT_EQ(clip.Caption(), u"2 files: a.txt, b.txt");
  EXPECT_EQ(clip.SearchableText(), nullptr);
  EXPECT_EQ(clip.Picture(), nullptr);
}

TEST(ClipKindViewsTest, APictureShowsItsBitmapAndHasNoCaptionOrText) {
  CImageItem clip;
  EXPECT_EQ(clip.Picture(), nullptr);  // not yet captured
  clip.SetPicture(TBitmap(4, 3, 24));
  ASSERT_NE(clip.Picture(), nullptr);
  EXPECT_EQ(clip.Picture()->Width(), 4);
  EXPECT_TRUE(clip.Caption().empty());
  EXPECT_EQ(clip.SearchableText(), nullptr);
}

}  // namespace
