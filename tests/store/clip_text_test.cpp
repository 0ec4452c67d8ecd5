// A clip's text kept a byte a unit when it is ASCII, and what it gives back either way.

#include "store/clip_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "store/text_item.h"

namespace {

TEST(ClipTextTest, AnAsciiTextIsKeptAByteAUnitAndAnyOtherAsUtf16) {
  const CClipText ascii(u"Invoice 4471\t\x7f");
  EXPECT_TRUE(ascii.IsAscii());
  EXPECT_EQ(ascii.Ascii(), "Invoice 4471\t\x7f");
  EXPECT_TRUE(ascii.Wide().empty());
  const CClipText wide(u"na\u00efve \U0001F600");
  EXPECT_FALSE(wide.IsAscii());
  EXPECT_EQ(wide.Wide(), u"na\u00efve \U0001F600");
  EXPECT_TRUE(wide.Ascii().empty());
  EXPECT_EQ(wide.size(), 8u);
  EXPECT_FALSE(CClipText(u"\x80").IsAscii());
  const CClipText withNul(std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(withNul.size(), 3u);
  EXPECT_EQ(withNul.Utf16(), std::u16string(u"a\0b", 3));
  EXPECT_TRUE(CClipText().empty());
}

TEST(ClipTextTest, TextsCompareAndGiveBackTheirUnitsWhicheverWayTheyAreKept) {
  for (const std::u16string text : {u"plain words", u"Gr\u00fc\u00dfe \u20ac5"}) {
    CClipText kept;
    kept = text;
    EXPECT_EQ(kept, text);
    EXPECT_EQ(kept, CClipText(text));
    EXPECT_NE(kept, text + u"!");
    EXPECT_NE(kept, text.substr(1));
    EXPECT_EQ(kept.Utf16(), text);
    EXPECT_EQ(kept.Utf16(4), text.substr(0, 4));
    EXPECT_EQ(kept.Utf16(1000), text);
  }
  EXPECT_NE(CClipText(u"abc"), CClipText(u"ab\u00e7"));
}

// A text read from the data file keeps the string it was read into: one allocation a clip.
TEST(ClipTextTest, ATextTakenKeepsItsStringUnlessItIsAscii) {
  std::u16string wide(300, u'\u00e9');
  const char16_t* buffer = wide.data();
  const CClipText taken = CClipText::Taking(std::move(wide));
  EXPECT_EQ(taken.Wide().data(), buffer);
  EXPECT_EQ(taken, std::u16string(300, u'\u00e9'));
  const CClipText ascii = CClipText::Taking(u"plain");
  EXPECT_TRUE(ascii.IsAscii());
  EXPECT_EQ(ascii, CClipText(u"plain"));
}

// The data file holds UTF-16 whatever the form in memory: an ASCII text's record is the one
// it always was, and reads back as the same text.
TEST(ClipTextTest, AnAsciiTextIsSavedAsUtf16AndLoadsBackAlike) {
  for (const std::u16string text : {u"hi", u"h\u00ef"}) {
    CTextItem clip;
    clip.ReplaceText(text);
    CByteWriter writer;
    ASSERT_TRUE(clip.Save(writer));
    const std::vector<std::uint8_t>& bytes = writer.Bytes();
    ASSERT_GE(bytes.size(), 12u);
    const std::vector<std::uint8_t> units(bytes.end() - 4, bytes.end());
    EXPECT_EQ(units, (std::vector<std::uint8_t>{'h', 0, static_cast<std::uint8_t>(text[1]), 0}));

    CByteReader reader(bytes.data() + 4, bytes.size() - 4);  // past the kind
    CTextItem loaded;
    loaded.Load(reader);
    EXPECT_EQ(loaded.text, clip.text);
    EXPECT_EQ(loaded.text.IsAscii(), text == u"hi");
    EXPECT_EQ(loaded.textLength, 2);
  }
}

}  // namespace
