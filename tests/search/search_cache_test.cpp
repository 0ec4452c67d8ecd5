// What a search keeps between two walks over the clips, and when it lets go of it.

#include "search/search_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "store/file_list_item.h"
#include "store/text_item.h"

namespace {

class SearchCacheTest : public ::testing::Test {
 protected:
  CTextItem& AddText(const std::u16string& text) {
    auto clip = std::make_unique<CTextItem>();
    clip->id = static_cast<int>(texts.size()) + 1;
    clip->text = text;
    texts.push_back(std::move(clip));
    return *texts.back();
  }
  // The ids that `query` finds in one walk over every clip.
  std::vector<int> Walk(const CClipQuery& query) {
    std::vector<int> found;
    cache.BeginWalk(query);
    for (const auto& clip : texts) {
      if (cache.Finds(query, *clip)) found.push_back(clip->id);
    }
    cache.EndWalk();
    return found;
  }

  CSearchCache cache;
  std::vector<std::unique_ptr<CTextItem>> texts;
};

TEST_F(SearchCacheTest, OnlyClipsWithSearchableTextAreFound) {
  CFileListItem files;
  files.paths = {u"C:\\invoice.txt"};
  EXPECT_FALSE(cache.Finds(CClipQuery(u"invoice"), files));
  EXPECT_TRUE(cache.Finds(CClipQuery(u"invoice"), AddText(u"Invoice 4471")));
}

TEST_F(SearchCacheTest, ANarrowerQueryLooksOnlyAtWhatTheWiderOneFound) {
  AddText(u"invoice 1");
  AddText(u"invoice 2");
  cache.Remember(CClipQuery(u"inv"), {1});  // as if the second had not been found
  EXPECT_EQ(Walk(CClipQuery(u"invo")), (std::vector<int>{1}));
  // A query that does not narrow it looks at every clip.
  EXPECT_EQ(Walk(CClipQuery(u"2")), (std::vector<int>{2}));
}

// The ids come category by category, each in list order (the newest first in the history):
// a narrower query must still find every one of them among those remembered.
TEST_F(SearchCacheTest, WhatAQueryFoundIsRememberedInAnyOrder) {
  for (int i = 0; i < 300; ++i) AddText(u"invoice");
  std::vector<int> runs{300, 299, 298, 1, 2, 3, 250, 249};
  for (int id = 4; id < 249; ++id) runs.push_back(id);
  runs.insert(runs.end(), {297, 296, 295, 294, 293});
  for (int id = 251; id < 293; ++id) runs.push_back(id);
  std::vector<int> shuffled(runs);
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));  // more runs than merged
  std::vector<int> every(300);
  std::iota(every.begin(), every.end(), 1);
  for (const std::vector<int>& ids : {runs, shuffled}) {
    cache.Remember(CClipQuery(u"inv"), ids);
    EXPECT_EQ(Walk(CClipQuery(u"invo")), every);
  }
}

TEST_F(SearchCacheTest, TheSmallestNarrowedResultIsTheOneLookedAt) {
  AddText(u"alpha beta");
  AddText(u"alpha gamma");
  cache.Remember(CClipQuery(u"al"), {1, 2});
  cache.Remember(CClipQuery(u"alp"), {2});
  EXPECT_EQ(Walk(CClipQuery(u"alph")), (std::vector<int>{2}));
}

TEST_F(SearchCacheTest, ANewClipMakesEveryClipLookedAtAgain) {
  AddText(u"invoice 1");
  cache.Remember(CClipQuery(u"inv"), {});
  EXPECT_TRUE(Walk(CClipQuery(u"invoice")).empty());
  cache.ForgetFound();
  EXPECT_EQ(Walk(CClipQuery(u"invoice")), (std::vector<int>{1}));
}

TEST_F(SearchCacheTest, AClipsFoldedTextIsKeptUntilTheClipLeaves) {
  CTextItem& clip = AddText(u"first w\u00f6rds");
  EXPECT_TRUE(cache.Finds(CClipQuery(u"first"), clip));
  clip.text = u"other w\u00f6rds";  // a clip's text never changes; this shows what is kept
  EXPECT_TRUE(cache.Finds(CClipQuery(u"first"), clip));
  cache.ForgetClip(clip.id);
  EXPECT_FALSE(cache.Finds(CClipQuery(u"first"), clip));
}

TEST_F(SearchCacheTest, AClipAddedIsFoldedAsItArrivesAndReplacesWhatItsIdHad) {
  CTextItem& clip = AddText(u"First w\u00f6rds");
  cache.AddClip(clip);
  EXPECT_EQ(cache.FoldedTexts(), 1u);
  clip.text = u"Other w\u00f6rds";  // a clip's text never changes; this shows when it was folded
  EXPECT_TRUE(cache.Finds(CClipQuery(u"first"), clip));
  cache.AddClip(clip);  // a clip of a new content under a reused id
  EXPECT_FALSE(cache.Finds(CClipQuery(u"first"), clip));
  EXPECT_TRUE(cache.Finds(CClipQuery(u"other"), clip));
  CFileListItem files;
  cache.AddClip(files);
  EXPECT_EQ(cache.FoldedTexts(), 1u);
}

// Such a text is searched as it is: changing it (which a clip never does) shows that no
// folded copy was kept.
TEST_F(SearchCacheTest, AnAsciiTextIsSearchedAsItIsWithoutACopy) {
  CTextItem& clip = AddText(u"Invoice 4471, PAID\t(March)");
  cache.AddClip(clip);
  EXPECT_EQ(cache.FoldedTexts(), 0u);
  EXPECT_TRUE(cache.Finds(CClipQuery(u"inv 44 (mar"), clip));
  EXPECT_FALSE(cache.Finds(CClipQuery(u"invoice unpaid"), clip));
  EXPECT_TRUE(cache.Finds(CClipQuery(u"pa\u00efd"), clip));  // the query is folded
  EXPECT_FALSE(cache.Finds(CClipQuery(u"paid \u0436"), clip));
  clip.text = u"Other words";
  EXPECT_TRUE(cache.Finds(CClipQuery(u"other"), clip));
  EXPECT_EQ(cache.FoldedTexts(), 0u);
}

TEST_F(SearchCacheTest, EndingTheSearchForgetsWhatItFoundButKeepsTheFoldedTexts) {
  AddText(u"first w\u00f6rds");
  AddText(u"second w\u00f6rds");
  for (const auto& clip : texts) cache.AddClip(*clip);
  cache.Remember(CClipQuery(u"words"), {2});
  cache.EndSearch();
  EXPECT_EQ(cache.FoldedTexts(), 2u);
  EXPECT_EQ(Walk(CClipQuery(u"words")), (std::vector<int>{1, 2}));
}

TEST_F(SearchCacheTest, ALargeTextIsFoldedOnlyForTheSearchThatLooksAtIt) {
  CTextItem& large = AddText(std::u16string(64 * 1024, u'a') + u" n\u00e9edle");
  cache.AddClip(large);
  EXPECT_EQ(cache.FoldedTexts(), 0u);
  EXPECT_TRUE(cache.Finds(CClipQuery(u"needle"), large));
  EXPECT_EQ(cache.FoldedTexts(), 1u);
  cache.EndSearch();
  EXPECT_EQ(cache.FoldedTexts(), 0u);
  EXPECT_TRUE(cache.Finds(CClipQuery(u"needle"), large));
}

TEST_F(SearchCacheTest, KeepOnlyDropsTheTextsOfClipsThatAreGone) {
  AddText(u"f\u00efrst");
  AddText(u"s\u00e9cond");
  for (const auto& clip : texts) cache.AddClip(*clip);
  cache.KeepOnly([](int clipId) { return clipId == 2; });
  EXPECT_EQ(cache.FoldedTexts(), 1u);
}

TEST_F(SearchCacheTest, OnlyTheLastTwelveQueriesAreRemembered) {
  AddText(u"x1");
  cache.Remember(CClipQuery(u"x"), {});
  for (int i = 0; i < 11; ++i)
    cache.Remember(CClipQuery(std::u16string(u"q") + char16_t(u'a' + i)), {});
  EXPECT_TRUE(Walk(CClipQuery(u"x1")).empty());  // "x" still remembered: nothing to look at
  cache.Remember(CClipQuery(u"qz"), {});
  EXPECT_EQ(Walk(CClipQuery(u"x1")), (std::vector<int>{1}));
}

TEST_F(SearchCacheTest, AQueryMetAgainReplacesWhatItFoundBefore) {
  AddText(u"note");
  cache.Remember(CClipQuery(u"no"), {});
  cache.Remember(CClipQuery(u"no"), {1});
  EXPECT_EQ(Walk(CClipQuery(u"not")), (std::vector<int>{1}));
}

}  // namespace
