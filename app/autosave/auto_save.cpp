#include "app/autosave/auto_save.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/autosave/store_fingerprint.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "store/encrypted/journal_source.h"

namespace {

// Tick counts wrap after 49.7 days; differences of unsigned values stay right.
bool Reached(std::uint32_t now, std::uint32_t moment) {
  return static_cast<std::int32_t>(now - moment) >= 0;
}

}  // namespace

void CAutoSaveSchedule::Changed(std::uint32_t now) {
  if (!dirty_) firstChange_ = now;
  dirty_ = true;
  lastChange_ = now;
}

bool CAutoSaveSchedule::Due(std::uint32_t now) const {
  if (!dirty_ || (waiting_ && !Reached(now, notBefore_))) return false;
  return Reached(now, lastChange_ + kQuietMs) || Reached(now, firstChange_ + kLongestDelayMs);
}

void CAutoSaveSchedule::Failed(std::uint32_t now) {
  if (!dirty_) firstChange_ = lastChange_ = now;
  dirty_ = true;
  waiting_ = true;
  notBefore_ = now + kRetryMs;
}

CAutoSaver::CAutoSaver(std::filesystem::path path) : path_(std::move(path)) {}

CAutoSaver::~CAutoSaver() {
  Stop();
}

std::filesystem::path CAutoSaver::JournalPath() const {
  std::filesystem::path journal = path_;
  journal += ".journal";
  return journal;
}

void CAutoSaver::UseKey(std::shared_ptr<const CStoreKey> key) {
  key_ = std::move(key);
  if (journal_) journal_->UseKey(key_);
}

int CAutoSaver::RecoverJournal(CDataBase& store, std::uint64_t fileDigest,
                               std::shared_ptr<const CStoreKey> journalKey) {
  CJournalReplay replay;
  journalDamage_.reset();
  // The file as loaded, before the journal takes the store past it.
  fileDigest_ = fileDigest;
  fileDiff_.Reset(store);
  if (FileExists(JournalPath())) {
    try {
      // Streamed: a journal of any size, never whole in one buffer.
      const std::unique_ptr<CJournalSource> source =
          OpenJournalSource(JournalPath(), journalKey.get());
      replay = ReplayJournal(*source, fileDigest, store);
    } catch (const CFileError& error) {
      // The journal could not be opened (or is locked to this run); a read that fails later
      // is the replay's to tell.
      replay.damage = error.what();
    }
  }
  journalDiff_.Reset(store);
  journalLookout_.revision = store.Revision();
  if (!replay.damage.empty()) {
    // What could not be read or applied is kept as it was, before a new journal replaces it.
    journalDamage_ = CJournalDamage{replay.damage, replay.applied,
                                    CopyBeside(JournalPath(), DamagedCopySuffix())};
    if (journalDamage_->keptCopy.empty()) {
      // Nothing may replace the only copy: this run keeps no journal.
      fileBehind_ = replay.applied > 0;
      return replay.applied;
    }
  }
  // The journal anew: this file, and the changes just applied, which the data file does not
  // hold yet, copied from the old journal before the new one replaces it.
  journal_ = std::make_unique<CJournalWriter>(
      JournalPath(), fileDigest,
      CJournalSeed{JournalPath(), replay.framesBegin, replay.framesEnd, std::move(journalKey)},
      key_);
  fileBehind_ = replay.applied > 0;
  return replay.applied;
}

void CAutoSaver::DiscardJournal() {
  if (!journal_) return;
  journal_->Discard();
  journal_.reset();
}

void CAutoSaver::WriteJournal(const CDataBase& store, bool walk) {
  std::vector<std::uint8_t> frames =
      walk ? journalDiff_.Changes(store) : journalDiff_.ChangesFromLog(store);
  if (frames.empty()) return;
  JournalGrew(frames.size());
  journal_->Append(std::move(frames));
}

void CAutoSaver::JournalGrew(std::size_t bytes) {
  journalBytesSinceSave_ += bytes;
  if (!failingSince_ || growthTold_ || journalBytesSinceSave_ < kJournalNoticeBytes) return;
  growthTold_ = true;
  trouble_ =
      CSaveTrouble{CSaveTrouble::EKind::kJournalGrowing, lastError_.value_or(""), JournalPath()};
}

void CAutoSaver::SaveEnded(std::uint32_t now, bool replaced) {
  if (replaced) {
    // The journal starts anew from the saved file: what it held is in the file now.
    failingSince_.reset();
    journalBytesSinceSave_ = 0;
    return;
  }
  if (!lastError_) return;
  if (!failingSince_) failingSince_ = now;
  if (failureTold_ || !Reached(now, *failingSince_ + kFailureNoticeMs)) return;
  failureTold_ = true;
  trouble_ = CSaveTrouble{CSaveTrouble::EKind::kSavesFailing, *lastError_,
                          journal_ ? JournalPath() : std::filesystem::path()};
}

bool CAutoSaver::CLookout::Due(const CDataBase& store, std::uint32_t now) const {
  if (!Reached(now, lastLook + kCheckIntervalMs)) return false;
  return store.Revision() != revision || Reached(now, lastWalk + kFullCheckIntervalMs);
}

void CAutoSaver::CLookout::Looked(const CDataBase& store, std::uint32_t now, bool walked) {
  lastLook = now;
  if (walked) lastWalk = now;
  revision = store.Revision();
}

void CAutoSaver::Reset(const CDataBase& store) {
  Stop();
  schedule_ = CAutoSaveSchedule{};
  savedFingerprint_ = StoreFingerprint(store);
  saveLookout_.revision = store.Revision();
  checkNow_ = false;
}

void CAutoSaver::Poll(const CDataBase& store, std::uint32_t now) {
  if (fileBehind_) {
    schedule_.Changed(now);
    fileBehind_ = false;
  }
  if (journal_ && (journalNow_ || journalLookout_.Due(store, now))) {
    journalNow_ = false;
    // The store's log tells what came and went; a field written past its counting only a
    // walk finds, every kFullCheckIntervalMs.
    const bool walk = Reached(now, journalLookout_.lastWalk + kFullCheckIntervalMs);
    WriteJournal(store, walk);
    journalLookout_.Looked(store, now, journalDiff_.Walked());
  }
  if (writer_ && eraseWanted_ && !committed_ && !writer_->Done()) {
    // Its bytes may hold the deleted clips: a save that starts now replaces it.
    producer_.reset();
    writer_.reset();
  }
  if (writer_) {
    ContinueSave(store, now);
    return;
  }
  const bool eraseDue = eraseWanted_ && (!eraseRetryAt_ || Reached(now, *eraseRetryAt_));
  if (!schedule_.Due(now) && !eraseDue && !checkNow_ && !saveLookout_.Due(store, now)) return;
  checkNow_ = false;
  if (store.Revision() != saveLookout_.revision) {
    // A change the store counted: known without a walk.
    schedule_.Changed(now);
    saveLookout_.revision = store.Revision();
    saveLookout_.lastLook = now;
    savedFingerprint_.reset();
  } else {
    // Only a walk finds a field written past the store's counting.
    saveLookout_.Looked(store, now);
    const std::uint64_t fingerprint = StoreFingerprint(store);
    // Unknown: the store changed since the file was written, and is due to be saved anyway.
    if (savedFingerprint_ && fingerprint != *savedFingerprint_) schedule_.Changed(now);
    savedFingerprint_ = fingerprint;
  }
  if (schedule_.Due(now) || eraseDue) StartSave(store, now);
}

void CAutoSaver::StartSave(const CDataBase& store, std::uint32_t now) {
  schedule_.Started();
  const std::uint64_t fingerprint = StoreFingerprint(store);
  savedFingerprint_ = fingerprint;
  saveRevision_ = store.Revision();
  saveLookout_.Looked(store, now);
  const std::size_t estimatedBytes = EstimatedDataFileBytes(store);
  saveErases_ = std::exchange(eraseWanted_, false);
  eraseRetryAt_.reset();
  slices_ = CStoreSliceWriter{};
  saveFingerprint_ = fingerprint;
  saveDigest_ = std::make_unique<CContentDigest>();
  allProduced_ = false;
  committed_ = false;
  // The chunks travel in buffers that the thread readies and recycles, so that producing
  // them costs copies only, never fresh memory.
  // As many as can wait for the disk (and a few more), but no more than the file needs.
  const std::size_t chunkBuffers =
      std::min(kMostPendingBytes / kChunkBytes + 4, estimatedBytes / kChunkBytes + 1);
  writer_ = std::make_unique<CBackgroundFileWriter>(path_, "data file", chunkBuffers,
                                                    kChunkBytes + kChunkBytes / 4, key_);
  producer_ = std::make_unique<CByteWriter>(
      [writer = writer_.get(), digest = saveDigest_.get()](std::span<const std::uint8_t> bytes) {
        digest->Add(bytes);
        std::vector<std::uint8_t> chunk = writer->TakeSpare();
        chunk.assign(bytes.begin(), bytes.end());
        writer->Append(std::move(chunk));
      },
      kChunkBytes);
}

void CAutoSaver::ContinueSave(const CDataBase& store, std::uint32_t now) {
  if (writer_->Done()) {
    lastError_ = writer_->Error();
    if (lastError_) schedule_.Failed(now);
    if (writer_->Replaced()) {
      FileReplaced();
      eraseRetryPause_ = kEraseRetryMs;
    } else if (saveErases_) {
      CompactJournal(store);
      if (lastError_) EraseLater(now);
    }
    SaveEnded(now, writer_->Replaced());
    producer_.reset();
    writer_.reset();
    return;
  }
  if (allProduced_) {
    // The file is replaced only once the journal says on disk that what follows in it
    // extends the new file: a crash in between loses nothing either way.
    if (!committed_ && (!journal_ || journal_->Failed() || journal_->Durable() >= baseNumber_)) {
      writer_->Commit();
      committed_ = true;
    }
    return;
  }
  // A change the store counted is seen at every part; one written past its counting, at
  // the walk every kFullCheckIntervalMs.
  bool changed = store.Revision() != saveRevision_;
  if (!changed && Reached(now, saveLookout_.lastWalk + kFullCheckIntervalMs)) {
    saveLookout_.Looked(store, now);
    changed = StoreFingerprint(store) != saveFingerprint_;
  }
  if (changed) {
    // The parts produced so far describe a store that is gone.
    producer_.reset();
    writer_.reset();
    eraseWanted_ = eraseWanted_ || saveErases_;
    savedFingerprint_.reset();
    saveLookout_.revision = store.Revision();  // this change is counted here
    schedule_.Changed(now);
    return;
  }
  if (writer_->Pending() >= kMostPendingBytes) return;
  allProduced_ = slices_.WriteNext(store, *producer_, kSliceBytes);
  if (allProduced_) {
    producer_->Flush();
    if (journal_) {
      // The store is the one just produced, which the journal must describe exactly: what
      // follows the base extends the new file.
      WriteJournal(store, true);
      baseDiff_ = journalDiff_;
      baseNumber_ = journal_->AppendBase(saveDigest_->Value());
      JournalGrew(JournalBaseFrame(saveDigest_->Value()).size());
    } else {
      writer_->Commit();
      committed_ = true;
    }
  }
}

void CAutoSaver::EraseLater(std::uint32_t now) {
  eraseWanted_ = true;
  eraseRetryAt_ = now + eraseRetryPause_;
  eraseRetryPause_ = std::min(eraseRetryPause_ * 2, CAutoSaveSchedule::kRetryMs);
}

void CAutoSaver::Stop() {
  if (!writer_) return;
  writer_->Abandon();
  writer_->Wait();
  // A save that got through is kept; one that did not leaves the store unsaved.
  if (!writer_->Replaced()) {
    schedule_.Changed(saveLookout_.lastLook);
    eraseWanted_ = eraseWanted_ || saveErases_;
  } else {
    FileReplaced();
  }
  producer_.reset();
  writer_.reset();
}

void CAutoSaver::FileReplaced() {
  if (!journal_) return;
  journal_->Restart();
  fileDigest_ = saveDigest_->Value();
  fileDiff_ = baseDiff_;
}

void CAutoSaver::CompactJournal(const CDataBase& store) {
  if (!journal_) return;
  // Frames made from the store itself: a clip inserted and removed since the file was
  // written, or a removed clip of the file, leaves no record, only its removal's place.
  CJournalDiff compacted = fileDiff_;
  std::vector<std::uint8_t> frames = compacted.Changes(store);
  journalBytesSinceSave_ = frames.size();
  journal_->Replace(fileDigest_, std::move(frames));
  journalDiff_ = std::move(compacted);
  journalLookout_.revision = store.Revision();
}
