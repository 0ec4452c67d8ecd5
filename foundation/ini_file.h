#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// An ini file handled by the system's private-profile functions, with their rules: names
// compare without regard to case, the first matching section and key win, values come
// back trimmed and without enclosing quotes. Every call opens the file afresh and nothing
// is cached, so a change made by another program is seen by the next read.
//
// Sections and keys are ASCII; values are text in the ANSI code page, on one line.
class TIniFile {
 public:
  // The file need not exist; the first write creates it.
  explicit TIniFile(std::filesystem::path fileName);

  const std::filesystem::path& FileName() const { return fileName_; }

  // The key's value, whatever its length; `defaultValue` when the file, section or key is
  // missing or the key's line has no '='. The default goes through the same rules as a
  // value (enclosing quotes and trailing spaces are dropped). Never writes or creates.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // The key's value as an integer (decimal, or hexadecimal after "$" or "0x"); the default
  // when it is missing, empty or not an integer.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

  // Sets the key at once: replaces the value of the first matching key, or adds the key at
  // the end of its section, or the section at the end of the file (creating the file).
  // Leading blanks of the value are dropped. Throws CFileError when the system refuses.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Writes the value in decimal, as WriteString.
  void WriteInteger(std::string_view section, std::string_view key, int value);

 private:
  std::filesystem::path fileName_;
};
