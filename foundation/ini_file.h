#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// An ini file handled by the system's private-profile functions, with their rules: names
// compare without regard to case, the first matching section and key win, values come
// back trimmed and without enclosing quotes. Every call opens the file afresh and nothing
// is cached, so a change made by another program is seen by the next read.
//
// Sections and keys are ASCII; values are on one line. The string forms carry text in the
// ANSI code page; the text forms carry UTF-16 and keep characters of any script, writing the
// file in UTF-16 when a value needs it.
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

  // The key's value exactly as WriteText stored it; none when the file, section or key is
  // missing or the key's line has no '='. An empty value is a value. Never writes.
  std::optional<std::u16string> ReadText(std::string_view section, std::string_view key) const;
  // Sets the key as WriteString does, so that ReadText gives `value` back whole: a value
  // with blanks at its ends or in matching quotes is written inside quotes, line breaks
  // become spaces. A file in the ANSI code page that cannot hold the value is first
  // rewritten in UTF-16 (which the system's functions then keep), content unchanged. Throws
  // CFileError when the system refuses.
  void WriteText(std::string_view section, std::string_view key, std::u16string_view value);

 private:
  std::u16string ReadWide(std::string_view section, std::string_view key,
                          std::u16string_view defaultValue) const;
  // Makes the file UTF-16 unless it has a byte-order mark already; creates it when missing.
  void MakeUnicode() const;

  std::filesystem::path fileName_;
};
