#include "app/autosave/background_file_writer.h"

#include <exception>
#include <optional>
#include <utility>

#include "foundation/file_io.h"
#include "store/encrypted/encrypted_data_writer.h"

namespace {

// Buffers kept for reuse beyond those readied at the start.
constexpr std::size_t kMostExtraSpares = 4;

}  // namespace

CBackgroundFileWriter::CBackgroundFileWriter(std::filesystem::path path, std::string what,
                                             std::size_t spareCount, std::size_t spareBytes,
                                             std::shared_ptr<const CStoreKey> key)
    : path_(std::move(path)),
      what_(std::move(what)),
      spareCount_(spareCount),
      spareBytes_(spareBytes),
      key_(std::move(key)),
      thread_([this] { Run(); }) {}

CBackgroundFileWriter::~CBackgroundFileWriter() {
  Abandon();
  if (thread_.joinable()) thread_.join();
}

void CBackgroundFileWriter::Append(std::vector<std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    pending_ += bytes.size();
    queue_.push_back(std::move(bytes));
  }
  wake_.notify_one();
}

std::vector<std::uint8_t> CBackgroundFileWriter::TakeSpare() {
  std::lock_guard lock(mutex_);
  if (spares_.empty()) return {};
  std::vector<std::uint8_t> spare = std::move(spares_.back());
  spares_.pop_back();
  return spare;
}

void CBackgroundFileWriter::Commit() {
  {
    std::lock_guard lock(mutex_);
    committed_ = true;
  }
  wake_.notify_one();
}

void CBackgroundFileWriter::Abandon() {
  {
    std::lock_guard lock(mutex_);
    stopWaiting_ = true;
    if (committed_ && queue_.empty()) return;  // too late: the replacement is under way
    abandoned_ = true;
  }
  wake_.notify_one();
}

void CBackgroundFileWriter::Wait() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return done_; });
}

bool CBackgroundFileWriter::Done() const {
  std::lock_guard lock(mutex_);
  return done_;
}

std::size_t CBackgroundFileWriter::Pending() const {
  std::lock_guard lock(mutex_);
  return pending_;
}

bool CBackgroundFileWriter::Replaced() const {
  std::lock_guard lock(mutex_);
  return replaced_;
}

std::optional<std::string> CBackgroundFileWriter::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

bool CBackgroundFileWriter::WaitWhileHeld(std::chrono::milliseconds pause) {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, pause, [this] { return stopWaiting_; });
}

void CBackgroundFileWriter::Run() {
  std::optional<std::string> failure;
  try {
    for (std::size_t i = 0; i < spareCount_; ++i) {
      std::vector<std::uint8_t> spare(spareBytes_);  // touches every page
      spare.clear();
      std::lock_guard lock(mutex_);
      spares_.push_back(std::move(spare));
    }
    CSafeFileWriter file(path_, what_);
    // The temporary file gets sealed bytes only: no plain copy reaches the disk.
    std::optional<CEncryptedDataWriter> sealed;
    if (key_) {
      sealed.emplace(*key_, [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); });
    }
    for (;;) {
      std::vector<std::uint8_t> bytes;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return abandoned_ || committed_ || !queue_.empty(); });
        if (abandoned_) break;  // the writer's destructor removes the new file
        if (queue_.empty()) {
          lock.unlock();
          if (sealed) sealed->Finish();
          file.Commit([this](std::chrono::milliseconds pause) { return WaitWhileHeld(pause); });
          lock.lock();
          replaced_ = true;
          break;
        }
        bytes = std::move(queue_.front());
        queue_.pop_front();
      }
      if (sealed) {
        sealed->Write(bytes);
      } else {
        file.Write(bytes);
      }
      std::lock_guard lock(mutex_);
      pending_ -= bytes.size();
      bytes.clear();
      if (spares_.size() < spareCount_ + kMostExtraSpares) spares_.push_back(std::move(bytes));
    }
  } catch (const std::exception& error) {
    failure = error.what();
  }
  {
    std::lock_guard lock(mutex_);
    error_ = std::move(failure);
    done_ = true;
  }
  wake_.notify_all();
}
