#pragma once
// CBackgroundFileWriter: replaces a file's content from a thread of its own, through
// CSafeFileWriter (either the old content stays or the new one arrives whole), so that
// the disk's pace, the final flush included, never holds the caller's thread. With a store
// key the content is the data file's encrypted container, sealed on that thread too.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class CStoreKey;

class CBackgroundFileWriter {
 public:
  // Starts the thread, which creates the new file beside `path` (`what` names the file in
  // error messages) and first readies `spareCount` buffers of `spareBytes` for TakeSpare.
  // With `key`, the bytes appended are the plain data file, which reaches the disk only
  // encrypted.
  CBackgroundFileWriter(std::filesystem::path path, std::string what, std::size_t spareCount = 0,
                        std::size_t spareBytes = 0, std::shared_ptr<const CStoreKey> key = nullptr);
  // Abandons the content unless it was committed, and waits for the thread: the file is
  // then either untouched or wholly replaced.
  ~CBackgroundFileWriter();
  CBackgroundFileWriter(const CBackgroundFileWriter&) = delete;
  CBackgroundFileWriter& operator=(const CBackgroundFileWriter&) = delete;

  // Queues the next bytes of the content.
  void Append(std::vector<std::uint8_t> bytes);
  // An empty buffer to fill with the next bytes, whose memory is ready for use (the first
  // use of fresh memory costs a page fault per page), when there is one.
  std::vector<std::uint8_t> TakeSpare();
  // Ends the content: once the queue is written, the file is replaced.
  void Commit();
  // Drops the content; the file stays as it was. The thread ends soon after. Once the
  // content is all written and committed it is too late, but a replace that waits for
  // another program to let the file go stops waiting and fails.
  void Abandon();
  // Waits until the thread has ended (call after Commit or Abandon).
  void Wait();

  // True once the thread has ended: replaced, abandoned or failed.
  bool Done() const;
  // Bytes queued and not yet written.
  std::size_t Pending() const;
  // True once the file holds the new content.
  bool Replaced() const;
  // Why the write failed; none while running and after success or abandonment.
  std::optional<std::string> Error() const;

 private:
  void Run();
  // Between tries of a replace that another program's handle refuses; false once abandoned.
  bool WaitWhileHeld(std::chrono::milliseconds pause);

  std::filesystem::path path_;
  std::string what_;
  std::size_t spareCount_;
  std::size_t spareBytes_;
  std::shared_ptr<const CStoreKey> key_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::vector<std::uint8_t>> queue_;
  std::vector<std::vector<std::uint8_t>> spares_;
  std::size_t pending_ = 0;
  bool committed_ = false;
  bool abandoned_ = false;
  bool stopWaiting_ = false;
  bool done_ = false;
  bool replaced_ = false;
  std::optional<std::string> error_;
  std::thread thread_;  // last: starts once everything above exists
};
