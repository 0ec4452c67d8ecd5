#pragma once
// Whole-file reading and crash-safe replacing, for the files the program keeps.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/content_digest.h"
#include "platform/handles.h"

// Largest file that ReadWholeFile takes into memory.
inline constexpr std::uint64_t kLargestReadableFile = std::uint64_t{2} << 30;

// True when `path` names an existing file (not a folder).
bool FileExists(const std::filesystem::path& path);

// The whole content of the file in one read. Throws CFileError naming `what` ("data file")
// when it cannot be opened or read, or is larger than kLargestReadableFile.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::string_view what);

// A file read for a CByteReader, in pieces, from start to end: a file of any size, never in
// one buffer. Every byte read on the way goes into Digest().
class CFileByteSource : public CByteSource {
 public:
  // Opens the file; throws CFileError naming `what` when it cannot be opened.
  CFileByteSource(const std::filesystem::path& path, std::string_view what);

  std::uint64_t Size() const { return size_; }
  // Throws CFileError when the file cannot be read. Fewer bytes only at its end.
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;
  // Reads what no reader has asked for yet up to the end of the file, for the digest.
  void ReadRest();
  // Of the bytes read so far, from the start on.
  const CContentDigest& Digest() const { return *digest_; }

 private:
  std::filesystem::path path_;
  std::string what_;
  UniqueFile file_;
  std::uint64_t size_ = 0;
  std::uint64_t filePosition_ = 0;
  std::uint64_t digested_ = 0;  // the digest holds the bytes before this offset
  std::unique_ptr<CContentDigest> digest_ = std::make_unique<CContentDigest>();
};

// Writes a new content for `path` so that a failure at any point (a full disk, a crash, a
// power cut) leaves either the old file or the new one, never a mix: the bytes go to a new
// file beside it ("<path>.saving"), which Commit() flushes to disk and then moves over
// `path`. Every failure throws CFileError naming `what` after removing the new file; so
// does the destructor's clean-up of a writer that was never committed, silently.
//
// Another program may hold `path` open for a moment (a virus scanner, a backup, an indexer,
// a viewer), and Windows refuses to replace a file held so: the move is then tried again,
// at growing pauses, for up to kHeldFileWaitMs before the write is called failed.
class CSafeFileWriter {
 public:
  static constexpr std::chrono::milliseconds kHeldFileWaitMs{2'000};
  // Waits `pause` before the next try; returns false when the wait should end (the caller
  // gives the content up), which fails the commit at once.
  using HeldFilePause = std::function<bool(std::chrono::milliseconds pause)>;
  // Sleeps the calling thread.
  static bool SleepThrough(std::chrono::milliseconds pause);

  CSafeFileWriter(std::filesystem::path path, std::string_view what);
  ~CSafeFileWriter();
  CSafeFileWriter(const CSafeFileWriter&) = delete;
  CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

  void Write(std::span<const std::uint8_t> bytes);
  void Commit(const HeldFilePause& pause = SleepThrough);
  // Of the bytes written so far.
  const CContentDigest& Digest() const { return *digest_; }

 private:
  [[noreturn]] void Abandon(std::string_view action);

  std::filesystem::path path_;
  std::filesystem::path fresh_;
  std::string what_;
  UniqueFile file_;
  bool committed_ = false;
  std::unique_ptr<CContentDigest> digest_ = std::make_unique<CContentDigest>();
};

// Replaces the content of `path` with `bytes` through a CSafeFileWriter, so that a failure at any
// point (a full disk, a crash, a power cut) leaves either the old file or the new one, never a mix:
// the bytes go to a new file beside it, which is flushed to disk and then moved over `path`. On
// failure the new file is removed, `path` is unchanged, and CFileError naming `what` is
// thrown.
void ReplaceFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       std::string_view what);

// Copies `path` to a new file beside it named `path` + `suffix`, adding "-2", "-3", ... when
// that exists. Returns the copy's path, or an empty path when no copy could be made.
std::filesystem::path CopyBeside(const std::filesystem::path& path, std::string_view suffix);
// The suffix of a file's copy kept aside, saying why and when: ".damaged-20261208-193005".
std::string KeptCopySuffix(std::string_view why);
// The suffix of a damaged file's copy, when the damage was found.
std::string DamagedCopySuffix();
