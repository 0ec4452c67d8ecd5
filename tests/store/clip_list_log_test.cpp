// The store's log of clips that came and went answers a follower only as far back as it
// reaches; a follower further behind, or one of a list replaced whole, walks the list.

#include <gtest/gtest.h>

#include "store/clip_list_log.h"
#include "store/data_journal.h"
#include "store/text_item.h"
#include "tests/support/store_fixture.h"

namespace {

using EPlace = CClipListChange::EPlace;

TEST(ClipListLogTest, AFollowerHearsTheChangesSinceItsPlaceAsLongAsTheLogReachesBackToIt) {
  CClipListLog log;
  const std::uint64_t start = log.End();
  log.Inserted(100000, EPlace::kHead);
  log.Removed(100000);
  ASSERT_TRUE(log.Since(start).has_value());
  ASSERT_EQ(log.Since(start)->size(), 2u);
  EXPECT_EQ(log.Since(start)->front().place, EPlace::kHead);
  EXPECT_FALSE(log.Since(start)->back().inserted);
  EXPECT_TRUE(log.Since(log.End())->empty());
  EXPECT_FALSE(log.Since(log.End() + 1).has_value());  // a place the log never had

  const std::uint64_t behind = log.End();
  for (std::size_t i = 0; i < 3 * CClipListLog::kLeastKept; ++i) log.Inserted(1, EPlace::kTail);
  EXPECT_FALSE(log.Since(behind).has_value());
  const std::uint64_t recent = log.End() - CClipListLog::kLeastKept;
  ASSERT_TRUE(log.Since(recent).has_value());
  EXPECT_EQ(log.Since(recent)->size(), CClipListLog::kLeastKept);

  const std::uint64_t beforeLoad = log.End();
  log.Broken();
  EXPECT_FALSE(log.Since(beforeLoad).has_value());
  EXPECT_TRUE(log.Since(log.End())->empty());
}

class ClipListLogStoreTest : public StoreTest {};

TEST_F(ClipListLogStoreTest, AJournalFollowsTheLogUntilTheStoreIsLoadedAnewOrFallsTooFarBehind) {
  CopyTexts({u"one"});
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CJournalDiff diff;
  diff.Reset(store);
  CopyTexts({u"two"});
  EXPECT_FALSE(diff.ChangesFromLog(store).empty());
  EXPECT_FALSE(diff.Walked());

  store.LoadFromMemory(saved);                       // the list replaced whole
  EXPECT_FALSE(diff.ChangesFromLog(store).empty());  // "two" left
  EXPECT_TRUE(diff.Walked());

  // A follower that missed more changes than the log keeps walks.
  for (const auto& text : NumberedTexts(2 * static_cast<int>(CClipListLog::kLeastKept) + 10)) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    store.AppendClip(std::move(clip));
  }
  EXPECT_FALSE(diff.ChangesFromLog(store).empty());
  EXPECT_TRUE(diff.Walked());
  CopyTexts({u"three"});
  EXPECT_FALSE(diff.ChangesFromLog(store).empty());
  EXPECT_FALSE(diff.Walked());
}

}  // namespace
