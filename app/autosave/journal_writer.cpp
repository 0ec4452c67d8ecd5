#include "app/autosave/journal_writer.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "store/data_journal.h"
#include "store/encrypted/encrypted_journal.h"
#include "store/encrypted/journal_source.h"

namespace {

std::u16string Wide(const std::filesystem::path& path) {
  return path.u16string();
}

}  // namespace

CJournalWriter::CJournalWriter(std::filesystem::path path, std::uint64_t base, CJournalSeed seed,
                               std::shared_ptr<const CStoreKey> key)
    : path_(std::move(path)), base_(base), seed_(std::move(seed)), nextKey_(std::move(key)) {
  Queue({CJob::kRestart, {}, 0, 0});
  thread_ = std::thread([this] { Run(); });
}

CJournalWriter::~CJournalWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  sealer_.reset();  // before the key it seals with
}

std::uint64_t CJournalWriter::Queue(CJob job) {
  std::uint64_t number;
  {
    std::lock_guard lock(mutex_);
    number = job.number = ++queued_;
    queue_.push_back(std::move(job));
  }
  wake_.notify_one();
  return number;
}

std::uint64_t CJournalWriter::Append(std::vector<std::uint8_t> frames) {
  return Queue({CJob::kFrames, std::move(frames), 0, 0});
}

std::uint64_t CJournalWriter::AppendBase(std::uint64_t digest) {
  return Queue({CJob::kBase, {}, digest, 0});
}

void CJournalWriter::Restart() {
  Queue({CJob::kRestart, {}, 0, 0});
}

void CJournalWriter::Replace(std::uint64_t digest, std::vector<std::uint8_t> frames) {
  Queue({CJob::kReplace, std::move(frames), digest, 0});
}

void CJournalWriter::UseKey(std::shared_ptr<const CStoreKey> key) {
  Queue({CJob::kKey, {}, 0, 0, std::move(key)});
}

void CJournalWriter::Discard() {
  Queue({CJob::kDiscard, {}, 0, 0});
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

bool CJournalWriter::Idle() const {
  std::lock_guard lock(mutex_);
  return queue_.empty() && !writing_;
}

std::uint64_t CJournalWriter::Durable() const {
  std::lock_guard lock(mutex_);
  return durable_;
}

bool CJournalWriter::Failed() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

bool CJournalWriter::Write(const std::vector<std::uint8_t>& bytes) {
  if (broken_ || !file_) return false;
  std::vector<std::uint8_t> sealed;
  if (sealer_) {
    try {
      sealed = sealer_->Seal(bytes);
    } catch (const std::exception&) {
      broken_ = true;
      return false;
    }
  }
  std::span<const std::uint8_t> rest(sealer_ ? sealed : bytes);
  while (!rest.empty()) {
    const auto piece =
        static_cast<DWORD>(std::min<std::size_t>(rest.size(), std::size_t{64} << 20));
    DWORD written = 0;
    if (!WriteFile(file_.get(), rest.data(), piece, &written, nullptr) || written != piece) {
      broken_ = true;
      return false;
    }
    rest = rest.subspan(piece);
  }
  return true;
}

bool CJournalWriter::Rewrite() {
  file_.reset();  // a file that is open cannot be replaced
  // A journal of its own key from here on: the old one goes whole.
  sealer_.reset();
  key_ = nextKey_;
  try {
    if (key_) sealer_ = std::make_unique<CEncryptedJournalSealer>(*key_);
    CSafeFileWriter fresh(path_, "journal");
    if (sealer_) fresh.Write(sealer_->Header());
    WriteFresh(fresh, JournalHeader());
    WriteFresh(fresh, JournalBaseFrame(base_));
    CopySeed(fresh);
    WriteFresh(fresh, sinceBase_);
    // A journal held by another program is waited for, but not past the writer's end.
    fresh.Commit([this](std::chrono::milliseconds pause) {
      std::unique_lock lock(mutex_);
      return !wake_.wait_for(lock, pause, [this] { return stopping_; });
    });
  } catch (const std::exception&) {
    // A file error, or the system's cryptography failing.
    broken_ = true;
    return false;
  }
  file_ = AdoptFile(CreateFileW(AsWide(Wide(path_).c_str()), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER end{};
  broken_ = !file_ || !SetFilePointerEx(file_.get(), end, nullptr, FILE_END);
  return !broken_;
}

void CJournalWriter::WriteFresh(CSafeFileWriter& fresh, std::span<const std::uint8_t> plain) {
  if (sealer_) {
    fresh.Write(sealer_->Seal(plain));
  } else {
    fresh.Write(plain);
  }
}

void CJournalWriter::CopySeed(CSafeFileWriter& fresh) {
  const CJournalSeed seed = std::exchange(seed_, CJournalSeed{});
  if (seed.end <= seed.begin) return;
  // Closed again before the new journal replaces the file it may be reading. The places
  // are the plain journal's, whether the old one was encrypted or not.
  const std::unique_ptr<CJournalSource> source = OpenJournalSource(seed.source, seed.key.get());
  std::vector<std::uint8_t> piece(std::size_t{1} << 20);
  for (std::uint64_t at = seed.begin; at < seed.end;) {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), seed.end - at));
    const std::size_t read = source->ReadAt(at, piece.data(), wanted);
    if (read != wanted) throw CFileError("Cannot read journal", seed.source);
    WriteFresh(fresh, std::span(piece.data(), read));
    at += read;
  }
}

void CJournalWriter::Run() {
  for (;;) {
    std::deque<CJob> jobs;
    bool stopping;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      jobs.swap(queue_);
      stopping = stopping_;
      writing_ = !jobs.empty();
    }
    bool discarded = false;
    std::uint64_t last = 0;
    for (CJob& job : jobs) {
      last = job.number;
      switch (job.kind) {
        case CJob::kFrames:
          Write(job.bytes);
          sinceBase_.insert(sinceBase_.end(), job.bytes.begin(), job.bytes.end());
          break;
        case CJob::kBase:
          Write(JournalBaseFrame(job.digest));
          base_ = job.digest;
          sinceBase_.clear();
          break;
        case CJob::kRestart:
          broken_ = false;
          Rewrite();
          break;
        case CJob::kReplace:
          base_ = job.digest;
          sinceBase_ = std::move(job.bytes);
          seed_ = CJournalSeed{};  // the frames given stand for the seed's too
          broken_ = false;
          Rewrite();
          break;
        case CJob::kKey:
          nextKey_ = std::move(job.key);
          break;
        case CJob::kDiscard:
          file_.reset();
          DeleteFileW(AsWide(Wide(path_).c_str()));
          discarded = true;
          break;
      }
      if (discarded) break;
    }
    // One flush for the whole batch: what came together reaches the disk together.
    if (!discarded && file_ && !broken_ && !FlushFileBuffers(file_.get())) broken_ = true;
    {
      std::lock_guard lock(mutex_);
      failed_ = broken_;
      writing_ = false;
      if (!broken_ && last != 0) durable_ = std::max(durable_, last);
    }
    if (discarded || (stopping && jobs.empty())) return;
  }
}
