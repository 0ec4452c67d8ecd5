#pragma once
// Saving the data file while the program runs, so that a crash, a kill or a power cut
// loses at most the last few seconds: a while after the store last changed, its bytes are
// produced a part per tick on the window's thread and written by a thread of its own.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/autosave/background_file_writer.h"
#include "app/autosave/journal_writer.h"
#include "app/autosave/store_slice_writer.h"
#include "foundation/content_digest.h"
#include "store/data_journal.h"
#include "store/database.h"

class CStoreKey;

// A journal of the last run that could not be read or applied whole.
struct CJournalDamage {
  std::string reason;  // what went wrong, in the reader's words (ASCII) or a file error's
  int applied = 0;     // the changes before the damage, which the store now holds
  std::filesystem::path keptCopy;  // the journal as it was; empty when no copy could be made
};

// Something about the automatic saves that the user should hear of, once a run each.
struct CSaveTrouble {
  enum class EKind {
    kSavesFailing,   // saves have failed for kFailureNoticeMs
    kJournalGrowing  // the journal grew by kJournalNoticeBytes while they fail
  };
  EKind kind = EKind::kSavesFailing;
  std::string error;              // the last save's error, naming the file (UTF-8)
  std::filesystem::path journal;  // the journal that holds the clips meanwhile; empty: none
};

// When to save: kQuietMs after the last change, but no later than kLongestDelayMs after
// the first change not yet saved (a store that keeps changing is saved too). After a
// failed save the next try waits kRetryMs. Times are tick counts in milliseconds.
class CAutoSaveSchedule {
 public:
  static constexpr std::uint32_t kQuietMs = 10'000;
  static constexpr std::uint32_t kLongestDelayMs = 60'000;
  static constexpr std::uint32_t kRetryMs = 60'000;

  void Changed(std::uint32_t now);
  bool Due(std::uint32_t now) const;
  // A save takes the store as it is now; changes from here on are due again.
  void Started() { dirty_ = false; }
  // The save did not reach the disk: the store is as unsaved as before.
  void Failed(std::uint32_t now);
  bool Dirty() const { return dirty_; }

 private:
  bool dirty_ = false;
  std::uint32_t firstChange_ = 0;
  std::uint32_t lastChange_ = 0;
  std::uint32_t notBefore_ = 0;
  bool waiting_ = false;
};

class CAutoSaver {
 public:
  // Bytes produced per tick while a save runs (at least one whole record), the chunks in
  // which they go to the writing thread, and the most that may wait for the disk before
  // production pauses.
  static constexpr std::size_t kSliceBytes = std::size_t{4} << 20;
  static constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
  static constexpr std::size_t kMostPendingBytes = std::size_t{16} << 20;
  // How often the store is looked at for changes that the window did not report. Looking
  // walks every clip, so it is done only when the store's revision moved, and otherwise
  // every kFullCheckIntervalMs, for a clip's field written past the store's counting.
  static constexpr std::uint32_t kCheckIntervalMs = 500;
  static constexpr std::uint32_t kFullCheckIntervalMs = 5'000;
  // Saves that keep failing for this long are told (a single failed try is not: a backup
  // or sync program may hold the file for a moment), and so is a journal that has grown
  // by this much while they fail.
  static constexpr std::uint32_t kFailureNoticeMs = 60'000;
  static constexpr std::uint64_t kJournalNoticeBytes = std::uint64_t{64} << 20;
  // A save that was to erase deleted clips and failed (another program held the data file
  // past the writer's wait, say) is tried again after this, then after twice as long each
  // time, up to CAutoSaveSchedule::kRetryMs: the clips should not stay on the disk for the
  // minute an ordinary save waits.
  static constexpr std::uint32_t kEraseRetryMs = 5'000;

  // Saves to `path` (the data file).
  explicit CAutoSaver(std::filesystem::path path);
  ~CAutoSaver();

  // The journal beside the data file ("<path>.journal").
  std::filesystem::path JournalPath() const;
  // After the store was loaded from the data file whose digest is `fileDigest`: applies the
  // journal's changes for that file (those of a run that ended without saving them) and
  // from now on keeps every change of the store in the journal within a tick or two of
  // Poll, until a save takes them in. Returns the number of changes applied; the store is
  // then ahead of the file, and the next Poll schedules a save. A journal that cannot be
  // read or applied whole is first copied beside itself, as a damaged data file is, and
  // JournalDamage() says so; when no copy can be made, it stays in place and this run
  // keeps no journal. `journalKey` opens the journal when it is encrypted.
  int RecoverJournal(CDataBase& store, std::uint64_t fileDigest,
                     std::shared_ptr<const CStoreKey> journalKey = nullptr);
  const std::optional<CJournalDamage>& JournalDamage() const { return journalDamage_; }
  // Saves and the journal from now on are encrypted with `key` (plain without one). A save
  // under way keeps the key it began with; EraseSoon has everything written anew.
  void UseKey(std::shared_ptr<const CStoreKey> key);
  // Everything is in the data file (the close saved it): the journal goes.
  void DiscardJournal();

  // The store as it is now is what the data file holds (just loaded or saved).
  void Reset(const CDataBase& store);
  // The window changed the store: look at it at the next Poll.
  void MarkChanged() {
    checkNow_ = true;
    journalNow_ = true;
  }
  // The user deleted clips (or forgot them): they must leave the disk now rather than after
  // the quiet time. The next Poll starts a save, and a save under way that may hold them
  // (its temporary file too) starts over; once a save has replaced the data file, the
  // journal starts anew from it. When that save fails, the journal is rewritten all the
  // same, as a base naming the data file as it is and the changes from that file to the
  // store as it is now: no record of a deleted clip stays in it. A clip that the data file
  // itself holds stays there until a save gets through, which is tried again after
  // kEraseRetryMs.
  void EraseSoon() {
    eraseWanted_ = true;
    eraseRetryAt_.reset();
    MarkChanged();
  }
  // Called at every tick: notices changes and hands them to the journal, starts a save
  // when one is due, produces the next part of a running one and collects its outcome.
  // Starts over when the store changes in the middle. Never waits for the disk: a save
  // replaces the file once the journal has on disk that the frames after it extend it.
  void Poll(const CDataBase& store, std::uint32_t now);
  // Abandons a save in progress and waits for its thread, which ends at once: the data
  // file is then as it was before that save. For the close, which saves itself.
  void Stop();

  bool Saving() const { return writer_ != nullptr; }
  // True when the journal has nothing queued that is not yet written (or it keeps none).
  bool JournalWritten() const { return !journal_ || journal_->Idle(); }
  // Why the last save failed; none after a successful one.
  const std::optional<std::string>& LastError() const { return lastError_; }
  // What the user should be told about the saves, once a run each: that they have failed
  // for kFailureNoticeMs, and that the journal has grown by kJournalNoticeBytes while
  // they fail. None when there is nothing new to tell.
  std::optional<CSaveTrouble> TakeTrouble() { return std::exchange(trouble_, std::nullopt); }

 private:
  void StartSave(const CDataBase& store, std::uint32_t now);
  // The save's file has replaced the data file.
  void FileReplaced();
  // The journal anew from the data file as it is; see EraseSoon.
  void CompactJournal(const CDataBase& store);
  // An erasing save failed: it is tried again after a pause that grows with each failure.
  void EraseLater(std::uint32_t now);
  void ContinueSave(const CDataBase& store, std::uint32_t now);
  // The journal's frames for what changed, from the store's log or by a walk of every clip.
  void WriteJournal(const CDataBase& store, bool walk);
  // A save ended: keeps count of failures and tells them when they persist.
  void SaveEnded(std::uint32_t now, bool replaced);
  void JournalGrew(std::size_t bytes);

  // When a look at the store (a walk of every clip) is worth its cost, and what a look
  // that was taken saw.
  struct CLookout {
    std::uint32_t lastLook = 0;
    std::uint32_t lastWalk = 0;
    std::uint64_t revision = 0;
    bool Due(const CDataBase& store, std::uint32_t now) const;
    void Looked(const CDataBase& store, std::uint32_t now, bool walked = true);
  };

  std::filesystem::path path_;
  std::shared_ptr<const CStoreKey> key_;
  CAutoSaveSchedule schedule_;
  // Of the store as the file holds it (or will); none when it changed since, which is then
  // due to be saved.
  std::optional<std::uint64_t> savedFingerprint_;
  CLookout saveLookout_;
  bool checkNow_ = false;
  bool journalNow_ = false;
  std::optional<std::string> lastError_;
  // Failed saves, and what of them the user was told.
  std::optional<std::uint32_t> failingSince_;
  std::uint64_t journalBytesSinceSave_ = 0;
  bool failureTold_ = false;
  bool growthTold_ = false;
  std::optional<CSaveTrouble> trouble_;
  // The save in progress.
  std::unique_ptr<CBackgroundFileWriter> writer_;
  std::unique_ptr<CByteWriter> producer_;  // hands chunks to writer_
  CStoreSliceWriter slices_;
  std::uint64_t saveFingerprint_ = 0;
  std::uint64_t saveRevision_ = 0;
  std::unique_ptr<CContentDigest> saveDigest_;  // of the bytes produced
  bool allProduced_ = false;
  bool committed_ = false;
  std::uint64_t baseNumber_ = 0;  // the journal's base for this save
  // The journal, once recovered.
  std::optional<CJournalDamage> journalDamage_;
  std::unique_ptr<CJournalWriter> journal_;
  CJournalDiff journalDiff_;
  CLookout journalLookout_;
  bool fileBehind_ = false;  // the journal's changes are not in the file yet
  // The data file as it is: its digest, and its clips and categories as the journal knew
  // them, from which the changes to the store as it is now can be made anew.
  std::uint64_t fileDigest_ = 0;
  CJournalDiff fileDiff_;
  CJournalDiff baseDiff_;  // the store as the save in progress wrote it
  // Deleted clips are to leave the disk; the save in progress began after they left.
  bool eraseWanted_ = false;
  bool saveErases_ = false;
  // After a failed erasing save: when it is tried again, and the wait after that.
  std::optional<std::uint32_t> eraseRetryAt_;
  std::uint32_t eraseRetryPause_ = kEraseRetryMs;
};
