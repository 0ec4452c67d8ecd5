// The header's caption line: what it says with and without clips, and its text centred.

#include "app/window/header_caption.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderCaptionTest, AnEmptyStoreSaysThatThereIsNoClipYet) {
  EXPECT_EQ(HeaderCaptionText(u"", true), u"No clips yet");
}

TEST(HeaderCaptionTest, ACaptionOrAStoreWithClipsIsShownAsItIs) {
  EXPECT_EQ(HeaderCaptionText(u"Meeting at ten", false), u"Meeting at ten");
  // A capture refused or a pause is said even while nothing is kept.
  EXPECT_EQ(HeaderCaptionText(u"Capture paused", true), u"Capture paused");
  // Clips loaded from the data file, none captured yet: nothing to say of the newest.
  EXPECT_EQ(HeaderCaptionText(u"", false), u"");
}

TEST(HeaderCaptionTest, TextIsCentredInTheLineAndNeverRisesAboveIt) {
  EXPECT_EQ(CentredTextTop(1, 27, 13), 8);
  EXPECT_EQ(CentredTextTop(1, 27, 26), 1);
  EXPECT_EQ(CentredTextTop(1, 27, 27), 1);
  // Three lines in a line two high: the first shows whole, at the top.
  EXPECT_EQ(CentredTextTop(1, 27, 39), 1);
}

}  // namespace
