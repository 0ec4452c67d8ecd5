#pragma once
// CJournalWriter: keeps the journal beside the data file (store/data_journal.h) from a
// thread of its own, so that neither the writing nor the flush to disk ever holds the
// window's thread. Frames are written and flushed in batches as soon as they come: a
// change is on disk within milliseconds. With a store key, the journal is the encrypted
// journal (store/encrypted/encrypted_journal.h): each batch is sealed before it is written.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "platform/handles.h"

class CEncryptedJournalSealer;
class CSafeFileWriter;
class CStoreKey;

// Frames that a new journal takes over from a file (the journal of the run before, whose
// changes the store now holds): the bytes [begin, end) of `source`, copied a piece at a
// time, never whole in memory.
struct CJournalSeed {
  std::filesystem::path source;
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
  std::shared_ptr<const CStoreKey> key;  // opens `source` when it is encrypted
};

class CJournalWriter {
 public:
  // Starts the thread, which first replaces the journal at `path` with one that extends
  // the data file of digest `base` by the frames of `seed` (which may be that journal),
  // encrypted with `key` when there is one.
  CJournalWriter(std::filesystem::path path, std::uint64_t base, CJournalSeed seed = {},
                 std::shared_ptr<const CStoreKey> key = nullptr);
  // Writes what is queued, then ends the thread.
  ~CJournalWriter();
  CJournalWriter(const CJournalWriter&) = delete;
  CJournalWriter& operator=(const CJournalWriter&) = delete;

  // Queues frames. Returns the number that Durable() reaches once they are on disk.
  std::uint64_t Append(std::vector<std::uint8_t> frames);
  // Queues a base that names the data file of `digest` (a save about to replace it): the
  // frames after it extend that file.
  std::uint64_t AppendBase(std::uint64_t digest);
  // The data file named by the last base has replaced the old one: the journal starts
  // anew from that base, with the frames that came after it.
  void Restart();
  // The journal anew, on disk before it replaces the old one: a base naming the data file of
  // `digest`, then `frames`. What the old journal held is then in no file (a deleted clip
  // must leave the disk even while the data file cannot be saved).
  void Replace(std::uint64_t digest, std::vector<std::uint8_t> frames);
  // The journals written from the next Restart or Replace on are encrypted with `key` (plain
  // without one); until then frames go on into the journal as it is.
  void UseKey(std::shared_ptr<const CStoreKey> key);
  // Everything is in the data file: removes the journal and ends the thread.
  void Discard();

  // Up to which number everything queued is on disk.
  std::uint64_t Durable() const;
  // True after a write failed; until a Restart rewrites the journal, nothing more is
  // written to it (a frame after a torn one could never be read).
  bool Failed() const;
  // True when everything queued has been written (or has failed): nothing is under way.
  bool Idle() const;

 private:
  struct CJob {
    enum EKind { kFrames, kBase, kRestart, kReplace, kKey, kDiscard } kind;
    std::vector<std::uint8_t> bytes;
    std::uint64_t digest = 0;
    std::uint64_t number = 0;
    std::shared_ptr<const CStoreKey> key = nullptr;
  };
  std::uint64_t Queue(CJob job);
  void Run();
  // On the thread: the journal anew, base and frames since, on disk before it replaces
  // the old one.
  bool Rewrite();
  // Copies the seed's frames into the journal being written, once.
  void CopySeed(CSafeFileWriter& fresh);
  // Writes `plain` into the journal being written, sealed when it is encrypted.
  void WriteFresh(CSafeFileWriter& fresh, std::span<const std::uint8_t> plain);
  bool Write(const std::vector<std::uint8_t>& bytes);

  std::filesystem::path path_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<CJob> queue_;
  std::uint64_t queued_ = 0;
  std::uint64_t durable_ = 0;
  bool failed_ = false;
  bool stopping_ = false;
  bool writing_ = false;  // the thread holds jobs taken from the queue
  // The thread's own.
  UniqueFile file_;
  std::uint64_t base_ = 0;
  // The frames after the last base. The seed's are not among them: every later rewrite
  // follows a base of its own.
  std::vector<std::uint8_t> sinceBase_;
  CJournalSeed seed_;
  // The key of the journal on disk and of the next rewrite; the sealer of the journal on disk.
  std::shared_ptr<const CStoreKey> key_;
  std::shared_ptr<const CStoreKey> nextKey_;
  std::unique_ptr<CEncryptedJournalSealer> sealer_;
  bool broken_ = false;
  std::thread thread_;  // last: starts once everything above exists
};
