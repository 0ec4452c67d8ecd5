// The journal of changes since the last save: replaying it onto the saved file gives the
// store the program had, whatever the changes were; a torn tail, a flipped byte or a
// journal of another file cost only what they must.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "foundation/byte_writer.h"
#include "foundation/content_digest.h"
#include "store/data_journal.h"
#include "store/file_list_item.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class DataJournalTest : public StoreTest {
 protected:
  DataJournalTest() {
    SetCapacity(100);
    CopyTexts({u"one", u"two"});
    saved_ = store.SaveToMemory();
    diff_.Reset(store);
    journal_ = JournalHeader();
    Append(JournalBaseFrame(Digest(saved_)));
  }

  static std::uint64_t Digest(const Bytes& bytes) {
    CContentDigest digest;
    digest.Add(bytes);
    return digest.Value();
  }
  void Append(const Bytes& frames) {
    journal_.insert(journal_.end(), frames.begin(), frames.end());
  }
  // Journals what changed since the last call; the number of bytes it added.
  std::size_t Journal() {
    const Bytes frames = diff_.Changes(store);
    Append(frames);
    return frames.size();
  }
  // The saved file with `journal` replayed onto it, as the next start reads them.
  CJournalReplay Replay(const Bytes& journal, CDataBase& into, const Bytes* file = nullptr) {
    const Bytes& bytes = file ? *file : saved_;
    into.LoadFromMemory(bytes);
    CByteReader reader(journal.data(), journal.size());
    return ReplayJournal(reader, Digest(bytes), into);
  }

  Bytes saved_;
  Bytes journal_;
  CJournalDiff diff_;
};

TEST_F(DataJournalTest, ReplayGivesTheStoreWithCapturesTrimsDeletionsMovesHotKeysAndCategories) {
  SetCapacity(3);
  CopyTexts({u"three"});
  TBitmap picture(3, 2, 24);
  picture.Row(1)[4] = 0x42;
  ASSERT_TRUE(driver.CopyBitmap(picture));  // the capacity of 3 trims "one"
  Journal();
  ASSERT_TRUE(store.DeleteItem(store.Items().back()->id));
  Head().hotKey = 0x4031;
  CCategory work;
  work.name = u"Work";
  const int workId = store.AddCategory(work);
  Journal();
  ASSERT_TRUE(store.MoveItem(Head().id, workId));
  ASSERT_TRUE(store.MoveItem(store.Items().front()->id, kNotesCategoryId));
  CopyTexts({u"four"});
  store.Items().back()->orphaned = true;  // a save leaves it out
  Journal();

  CDataBase replayed;
  const CJournalReplay replay = Replay(journal_, replayed);
  EXPECT_TRUE(replay.based);
  EXPECT_FALSE(replay.torn);
  EXPECT_TRUE(replay.stopReason.empty()) << replay.stopReason;
  EXPECT_EQ(SavedWithPngImages(replayed), SavedWithPngImages(store));
}

// The store's log tells what a walk of every clip would: whatever came and went between
// two looks, a journal of the log's frames and one of the walk's, each replayed onto the
// saved file, give the store.
TEST_F(DataJournalTest, FramesFromTheStoresLogReplayAsTheWalksDo) {
  SetCapacity(30);
  CCategory work;
  work.name = u"Work";
  const int workId = store.AddCategory(work);
  Journal();
  CJournalDiff walk;
  walk.Reset(store);
  Bytes walked = journal_;
  std::mt19937 random(29);
  const auto pick = [&]() -> CBaseItem& {
    return **std::next(store.Items().begin(),
                       static_cast<std::ptrdiff_t>(random() % store.Items().size()));
  };
  const auto number = [&](int range) {
    const std::string digits = std::to_string(random() % range);
    return std::u16string(digits.begin(), digits.end());
  };
  int fromLog = 0;
  for (int round = 1; round <= 300; ++round) {
    for (int change = 0, changes = 1 + static_cast<int>(random() % 4); change < changes; ++change) {
      switch (random() % 10) {
        case 6: {  // a picture, whose image is made later
          TBitmap picture(2, 2, 24);
          picture.Row(0)[0] = static_cast<std::uint8_t>(random());
          ASSERT_TRUE(driver.CopyBitmap(picture));
          break;
        }
        case 7:
          store.DeleteItem(pick().id);
          break;
        case 8:
          store.MoveItem(pick().id, random() % 2 ? workId : kNotesCategoryId);
          break;
        case 9:
          if (random() % 2) {
            store.AddNote(kNotesCategoryId, u"note " + number(1000));
          } else {
            store.ReplaceClipText(pick().id, u"edited " + number(1000));  // in its place
          }
          break;
        default:  // new texts, and old ones that come back to the head
          CopyTexts({u"text " + number(60)});
      }
      if (store.Items().empty()) CopyTexts({u"text again"});
    }
    Append(diff_.ChangesFromLog(store));
    fromLog += !diff_.Walked();
    const Bytes frames = walk.Changes(store);
    walked.insert(walked.end(), frames.begin(), frames.end());
    if (round % 25 != 0) continue;
    for (const Bytes* journal : {&journal_, &walked}) {
      CDataBase replayed;
      const CJournalReplay replay = Replay(*journal, replayed);
      ASSERT_TRUE(replay.stopReason.empty()) << replay.stopReason << " in round " << round;
      ASSERT_EQ(SavedWithPngImages(replayed), SavedWithPngImages(store)) << "round " << round;
    }
  }
  EXPECT_GT(fromLog, 150);  // most looks needed no walk
}

TEST_F(DataJournalTest, ATornTailCostsOnlyTheChangeItWasWriting) {
  const std::size_t start = journal_.size();
  std::vector<std::size_t> ends;
  std::vector<Bytes> states;
  for (const char16_t* text : {u"three", u"four", u"five"}) {
    CopyTexts({text});
    Journal();
    ends.push_back(journal_.size());
    states.push_back(store.SaveToMemory());
  }
  for (std::size_t length = start; length <= journal_.size(); ++length) {
    CDataBase replayed;
    const CJournalReplay replay = Replay(
        Bytes(journal_.begin(), journal_.begin() + static_cast<std::ptrdiff_t>(length)), replayed);
    const auto whole =
        std::count_if(ends.begin(), ends.end(), [&](auto end) { return end <= length; });
    ASSERT_EQ(replay.applied, whole) << length;
    EXPECT_EQ(replay.torn,
              length != start && std::find(ends.begin(), ends.end(), length) == ends.end())
        << length;
    EXPECT_EQ(replay.damage, "") << length;  // what a crash in the middle of a write leaves
    EXPECT_EQ(replayed.SaveToMemory(),
              whole == 0 ? saved_ : states[static_cast<std::size_t>(whole - 1)])
        << length;
  }
}

TEST_F(DataJournalTest, AFlippedByteStopsTheReplayAtItsFrame) {
  CopyTexts({u"three"});
  Journal();
  const std::size_t firstEnd = journal_.size();
  CopyTexts({u"four"});
  Journal();
  const Bytes afterFirst = [&] {
    CDataBase expected;
    Replay(Bytes(journal_.begin(), journal_.begin() + static_cast<std::ptrdiff_t>(firstEnd)),
           expected);
    return expected.SaveToMemory();
  }();
  for (std::size_t at = firstEnd; at < journal_.size(); ++at) {
    Bytes flipped = journal_;
    flipped[at] ^= 0x20;
    CDataBase replayed;
    const CJournalReplay replay = Replay(flipped, replayed);
    EXPECT_TRUE(replay.torn) << at;
    EXPECT_EQ(replayed.SaveToMemory(), afterFirst) << at;
  }
}

TEST_F(DataJournalTest, AGarbledFrameBetweenGoodOnesIsToldAsDamageWithWhatCameBefore) {
  CopyTexts({u"three"});
  Journal();
  const std::size_t secondStart = journal_.size();
  CopyTexts({u"four"});
  Journal();
  CopyTexts({u"five"});
  Journal();
  const std::size_t payloadByte = secondStart + 12 + 4;  // after the header and entry kind
  journal_[payloadByte] ^= 0x01;
  CDataBase replayed;
  const CJournalReplay replay = Replay(journal_, replayed);
  EXPECT_EQ(replay.applied, 1);
  EXPECT_NE(replay.damage.find("garbled at byte " + std::to_string(secondStart)), std::string::npos)
      << replay.damage;
  // What a new journal takes over: the first change's frames, up to the garbled one.
  EXPECT_LT(replay.framesBegin, replay.framesEnd);
  EXPECT_EQ(replay.framesEnd, secondStart);
}

TEST_F(DataJournalTest, AnEntryThatCannotBeAppliedAndAForeignHeaderAreDamage) {
  CopyTexts({u"three"});
  Journal();
  // A well-framed entry of a kind no writer makes.
  CByteWriter unknown;
  unknown.WriteInt32(99);
  const Bytes payload = unknown.Bytes();
  CByteWriter header;
  header.WriteUInt32(static_cast<std::uint32_t>(payload.size()));
  const std::uint64_t digest = Digest(payload);
  header.WriteUInt32(static_cast<std::uint32_t>(digest));
  header.WriteUInt32(static_cast<std::uint32_t>(digest >> 32));
  Append(header.Bytes());
  Append(payload);
  CDataBase replayed;
  CJournalReplay replay = Replay(journal_, replayed);
  EXPECT_EQ(replay.applied, 1);
  EXPECT_NE(replay.damage.find("could not be applied: unknown entry kind 99"), std::string::npos)
      << replay.damage;

  Bytes foreign = journal_;
  foreign[0] ^= 0xFF;
  replay = Replay(foreign, replayed);
  EXPECT_EQ(replay.applied, 0);
  EXPECT_FALSE(replay.damage.empty());
}

TEST_F(DataJournalTest, AJournalOfAnotherFileChangesNothing) {
  CopyTexts({u"three"});
  Journal();
  Bytes newer = store.SaveToMemory();  // saved later: the journal is older than the file
  CDataBase replayed;
  const CJournalReplay replay = Replay(journal_, replayed, &newer);
  EXPECT_FALSE(replay.based);
  EXPECT_EQ(replay.applied, 0);
  EXPECT_EQ(replayed.SaveToMemory(), newer);
}

TEST_F(DataJournalTest, TheLastBaseThatNamesTheFileCountsAndLaterBasesPassThrough) {
  CopyTexts({u"three"});
  Journal();
  const Bytes second = store.SaveToMemory();
  Append(JournalBaseFrame(Digest(second)));  // a save that may or may not have got through
  CopyTexts({u"four"});
  Journal();
  const Bytes expected = store.SaveToMemory();
  for (const Bytes* file : {static_cast<const Bytes*>(&saved_), &second}) {
    CDataBase replayed;
    EXPECT_TRUE(Replay(journal_, replayed, file).based);
    EXPECT_EQ(replayed.SaveToMemory(), expected);
  }
}

TEST_F(DataJournalTest, NoChangeNoFrameAndOnlyHotKeysAsHotKeys) {
  EXPECT_EQ(Journal(), 0u);
  Head().hotKey = 0x4032;
  const std::size_t bytes = Journal();
  EXPECT_GT(bytes, 0u);
  EXPECT_LT(bytes, 40u);  // not the clip again
  EXPECT_EQ(Journal(), 0u);
}

TEST_F(DataJournalTest, AFileListCutByTheReplayIsCountedInTheLoadReport) {
  auto files = std::make_unique<CFileListItem>();
  files->paths.assign(kMaxDropPaths + 1, u"C:\\a");
  store.AppendClip(std::move(files));
  Journal();

  CDataBase replayed;
  const CJournalReplay replay = Replay(journal_, replayed);
  EXPECT_EQ(replay.applied, 1);
  EXPECT_EQ(replayed.LastLoad().cutFileLists, 1);
  EXPECT_EQ(dynamic_cast<const CFileListItem&>(*replayed.ClipAt(2)).paths.size(), kMaxDropPaths);
}

}  // namespace
