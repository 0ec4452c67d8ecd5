#include "app/autosave/auto_save.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/autosave/store_fingerprint.h"

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

CAutoSaver::~CAutoSaver() { Stop(); }

void CAutoSaver::Reset(const CDataBase& store) {
  Stop();
  schedule_ = CAutoSaveSchedule{};
  savedFingerprint_ = StoreFingerprint(store);
  checkNow_ = false;
}

void CAutoSaver::Poll(const CDataBase& store, std::uint32_t now) {
  if (writer_) {
    ContinueSave(store, now);
    return;
  }
  const bool due = schedule_.Due(now);
  if (!due && !checkNow_ && !Reached(now, lastCheck_ + kCheckIntervalMs)) return;
  checkNow_ = false;
  lastCheck_ = now;
  const std::uint64_t fingerprint = StoreFingerprint(store);
  if (fingerprint != savedFingerprint_) {
    schedule_.Changed(now);
    savedFingerprint_ = fingerprint;
  }
  if (schedule_.Due(now)) StartSave(fingerprint, EstimatedDataFileBytes(store));
}

void CAutoSaver::StartSave(std::uint64_t fingerprint, std::size_t estimatedBytes) {
  schedule_.Started();
  slices_ = CStoreSliceWriter{};
  saveFingerprint_ = fingerprint;
  allProduced_ = false;
  // The chunks travel in buffers that the thread readies and recycles, so that producing
  // them costs copies only, never fresh memory.
  // As many as can wait for the disk (and a few more), but no more than the file needs.
  const std::size_t chunkBuffers =
      std::min(kMostPendingBytes / kChunkBytes + 4, estimatedBytes / kChunkBytes + 1);
  writer_ = std::make_unique<CBackgroundFileWriter>(path_, "data file", chunkBuffers,
                                                    kChunkBytes + kChunkBytes / 4);
  producer_ = std::make_unique<CByteWriter>(
      [writer = writer_.get()](std::span<const std::uint8_t> bytes) {
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
    producer_.reset();
    writer_.reset();
    return;
  }
  if (allProduced_) return;
  const std::uint64_t fingerprint = StoreFingerprint(store);
  if (fingerprint != saveFingerprint_) {
    // The parts produced so far describe a store that is gone.
    producer_.reset();
    writer_.reset();
    savedFingerprint_ = fingerprint;
    schedule_.Changed(now);
    return;
  }
  if (writer_->Pending() >= kMostPendingBytes) return;
  allProduced_ = slices_.WriteNext(store, *producer_, kSliceBytes);
  if (allProduced_) {
    producer_->Flush();
    writer_->Commit();
  }
}

void CAutoSaver::Stop() {
  if (!writer_) return;
  writer_->Abandon();
  writer_->Wait();
  // A save that got through is kept; one that did not leaves the store unsaved.
  if (!writer_->Replaced()) schedule_.Changed(lastCheck_);
  producer_.reset();
  writer_.reset();
}
