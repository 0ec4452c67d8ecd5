#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

// A file that could not be opened, created, read or written, or whose content is damaged.
// It carries what failed, the file and, for damaged content, the offset of the record that
// was being read and why it was refused. what() is UTF-8 text for the standard error box:
//   "Cannot write settings file C:\Users\Ann\quillery.ini"
//   "Data file damaged at offset 1234 of C:\Users\Ann\data.dat: record cut short"
// (without a path: "Data file damaged at offset 1234: record cut short").
class CFileError : public std::runtime_error {
 public:
  CFileError(std::string failure, std::filesystem::path path);
  CFileError(std::string failure, std::filesystem::path path, std::uint64_t offset,
             std::string reason);

  // What failed, without the path: "Cannot write settings file".
  const std::string& Failure() const { return failure_; }
  // The file; may be empty when the content did not come from a named file.
  const std::filesystem::path& Path() const { return path_; }
  // Where in the file the damage was found; none when the file as a whole failed.
  const std::optional<std::uint64_t>& Offset() const { return offset_; }
  // Why the content was refused; empty when the file as a whole failed.
  const std::string& Reason() const { return reason_; }

 private:
  std::string failure_;
  std::filesystem::path path_;
  std::optional<std::uint64_t> offset_;
  std::string reason_;
};
