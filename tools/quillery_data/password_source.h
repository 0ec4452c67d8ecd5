#pragma once
// CPasswordSource: where a command's password comes from, a password file (--password-file)
// or the terminal; and CKeyError, a key that cannot be had, with the exit status it ends
// the program with.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "tools/quillery_data/terminal.h"

class CKeyError : public std::runtime_error {
 public:
  CKeyError(const std::string& message, int status)
      : std::runtime_error(message), status_(status) {}
  int Status() const { return status_; }

 private:
  int status_;
};

class CPasswordSource {
 public:
  // `terminal` must outlive the source.
  CPasswordSource(std::optional<std::filesystem::path> file, CTerminal& terminal)
      : file_(std::move(file)), terminal_(terminal) {}

  bool HasFile() const { return file_.has_value(); }
  // The password that opens a file: the password file's, or typed once. Throws CKeyError
  // when there is neither, and CFileError when the password file cannot be read.
  std::u16string ToOpen() const;
  // The password a new file is encrypted with: the password file's, or typed twice and
  // the same both times. Never empty. Throws as ToOpen does.
  std::u16string ToEncrypt() const;

 private:
  std::u16string Typed(std::string_view prompt) const;

  std::optional<std::filesystem::path> file_;
  CTerminal& terminal_;
};

// The first line of the password file at `path`, without its line end (LF or CR LF) and
// without a UTF-8 byte order mark, as UTF-16. Throws CFileError when it cannot be read or
// is not UTF-8.
std::u16string ReadPasswordFile(const std::filesystem::path& path);
