#pragma once
// Whole-file reading and crash-safe replacing, for the files the program keeps.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handles.h"

// Largest file that ReadWholeFile takes into memory.
inline constexpr std::uint64_t kLargestReadableFile = std::uint64_t{2} << 30;

// True when `path` names an existing file (not a folder).
bool FileExists(const std::filesystem::path& path);

// The whole content of the file in one read. Throws CFileError naming `what` ("data file")
// when it cannot be opened or read, or is larger than kLargestReadableFile.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::string_view what);

// Writes a new content for `path` so that a failure at any point (a full disk, a crash, a
// power cut) leaves either the old file or the new one, never a mix: the bytes go to a new
// file beside it ("<path>.saving"), which Commit() flushes to disk and then moves over
// `path`. Every failure throws CFileError naming `what` after removing the new file; so
// does the destructor's clean-up of a writer that was never committed, silently.
class CSafeFileWriter {
 public:
  CSafeFileWriter(std::filesystem::path path, std::string_view what);
  ~CSafeFileWriter();
  CSafeFileWriter(const CSafeFileWriter&) = delete;
  CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

  void Write(std::span<const std::uint8_t> bytes);
  void Commit();

 private:
  [[noreturn]] void Abandon(std::string_view action);

  std::filesystem::path path_;
  std::filesystem::path fresh_;
  std::string what_;
  UniqueFile file_;
  bool committed_ = false;
};

// Replaces the content of `path` with `bytes` through a CSafeFileWriter, so that a failure at any point (a full disk,
// a crash, a power cut) leaves either the old file or the new one, never a mix: the bytes
// go to a new file beside it, which is flushed to disk and then moved over `path`. On
// failure the new file is removed, `path` is unchanged, and CFileError naming `what` is
// thrown.
void ReplaceFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       std::string_view what);

// Copies `path` to a new file beside it named `path` + `suffix`, adding "-2", "-3", ... when
// that exists. Returns the copy's path, or an empty path when no copy could be made.
std::filesystem::path CopyBeside(const std::filesystem::path& path, std::string_view suffix);
