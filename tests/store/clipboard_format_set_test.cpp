// The formats a capture asks of the system in one call must be those it would be told of
// one at a time; natively of the model, under Wine of the real clipboard.

#include <gtest/gtest.h>

#include <string>

#include "store/clipboard_blocks.h"
#include "store/clipboard_format_set.h"
#include "tests/support/clipboard_driver.h"

namespace {

// The question asked one at a time and all at once gives the same answer.
void ExpectSameAnswers(const CClipboardFormatSet& set, std::initializer_list<UINT> formats) {
  for (UINT format : formats) {
    EXPECT_EQ(set.Has(format), IsClipboardFormatAvailable(format) != FALSE) << "format " << format;
  }
}

TEST(ClipboardFormatSetTest, ListsWhatIsOfferedWhateverTheFormsAndTheirNumber) {
  CClipboardDriver driver;
  const UINT html = RegisteredFormat(u"HTML Format");
  const UINT marker = RegisteredFormat(u"ExcludeClipboardContentFromMonitorProcessing");
  ASSERT_NE(html, 0u);

  ASSERT_TRUE(driver.CopyText(u"plain"));
  CClipboardFormatSet set = CClipboardFormatSet::Now();
  EXPECT_TRUE(set.HasText());
  EXPECT_TRUE(set.Has(CF_UNICODETEXT));
  ExpectSameAnswers(set, {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT, CF_HDROP, CF_DIB, html, marker});

  // Text given only in its ANSI form is text all the same.
  ASSERT_TRUE(driver.CopyAnsiText("ansi"));
  EXPECT_TRUE(CClipboardFormatSet::Now().HasText());

  ASSERT_TRUE(driver.CopyFormats(
      {{CF_UNICODETEXT, {'h', 0, 0, 0}}, {html, {'<', 'b', '>'}}, {marker, {0}}}));
  set = CClipboardFormatSet::Now();
  EXPECT_TRUE(set.Has(html));
  EXPECT_TRUE(set.Has(marker));
  ExpectSameAnswers(set, {CF_UNICODETEXT, CF_HDROP, html, marker});

  // More formats than the first room a listing makes.
  std::vector<ClipFormat> many;
  for (int i = 0; i < 70; ++i) {
    const std::u16string name = u"Quillery test format " + std::u16string(1, u'A' + i / 26) +
                                std::u16string(1, u'a' + i % 26);
    many.push_back({RegisteredFormat(name), {1, 2, 3}});
  }
  ASSERT_TRUE(driver.CopyFormats(many));
  set = CClipboardFormatSet::Now();
  for (const ClipFormat& format : many) EXPECT_TRUE(set.Has(format.format));
  EXPECT_FALSE(set.HasText());

  ASSERT_TRUE(driver.Clear());
  set = CClipboardFormatSet::Now();
  EXPECT_FALSE(set.HasText());
  EXPECT_FALSE(set.Has(html));
}

}  // namespace
