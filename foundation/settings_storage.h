#pragma once
// The settings store: integers and texts under keys of an ini file (settings_keys.h), read
// with the default of each reader and written at once. It neither checks, clamps nor caches.
// The main window makes the process's store and hands it to the parts that use it.
//
// A second back end keeps the integers (REG_DWORD) and texts (REG_SZ) as values of a key
// under HKEY_LOCAL_MACHINE. Its failures never reach the caller: they are logged (log.h) as
//   "[SettingsStorage] GetInt <key> Error: <message>"                 (the read gives 0)
//   "[SettingsStorage] SetInt. Key: <key> Value: <value> Error: <message>"
//   "[SettingsStorage] GetText <key> Error: <message>"                (the read gives none)
//   "[SettingsStorage] SetText. Key: <key> Error: <message>"
// and a key that cannot be opened at construction also as "[SettingsStorage] <message>",
// which is shown in a message box (error_box.h) too.
//
// An ini file that cannot be written (a portable copy on read-only media, a folder that
// cannot be made) never stops the program: a value whose write fails still holds for the
// rest of the run, and the store keeps one notice for the user (UnsavedNotice).

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/bitmap.h"
#include "foundation/ini_file.h"
#include "foundation/registry.h"

namespace Settings {

class CSettingsStorage {
 public:
  // With `useIni`, the store reads and writes the ini file `path`, which need not exist.
  // Without, `path` is the registry key below HKEY_LOCAL_MACHINE, created when missing.
  // A key that cannot be opened is logged and shown; every read then logs and gives 0.
  // An empty key path opens no key: such a store gives every reader its default and drops
  // writes (it would otherwise put values at the root of HKEY_LOCAL_MACHINE).
  CSettingsStorage(const std::filesystem::path& path, bool useIni);
  ~CSettingsStorage();
  CSettingsStorage(const CSettingsStorage&) = delete;
  CSettingsStorage& operator=(const CSettingsStorage&) = delete;

  bool UseIniFile() const { return useIniFile; }
  // The ini file; empty in registry mode.
  std::filesystem::path FileName() const;

  // The key's value; `defaultValue` when the file or key is missing, the value is empty or
  // not an integer. A value whose write failed in this run is given as it was set. Never
  // writes to the ini file. In registry mode a missing value is first written with
  // `defaultValue`; the section is ignored there.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  // Writes the value in decimal at once, creating the file if needed. True when it was
  // written. When the system refuses the ini write, the value is kept for the rest of the
  // run instead (GetInt gives it) and the notice is set; nothing throws.
  bool SetInt(std::string_view section, std::string_view key, int value);

  // The key's text, UTF-16; none when the key is missing, which an empty text is not. Text
  // of any script comes back as it was set. A text whose write failed in this run is given
  // as it was set. Never writes. In registry mode the value of that name (REG_SZ; a value
  // of another type is logged and gives none); the section is ignored there.
  std::optional<std::u16string> GetText(std::string_view section, std::string_view key) const;
  // Writes the text at once, creating the file if needed (an ini file in the ANSI code page
  // becomes UTF-16 when the text needs it; line breaks become spaces there). True when it was
  // written; a refused ini write is kept for the run and sets the notice, as SetInt's.
  bool SetText(std::string_view section, std::string_view key, std::u16string_view value);

  // The same in section "Main", where the program's older settings live.
  int GetInt(std::string_view key, int defaultValue) const;
  bool SetInt(std::string_view key, int value);

  // The main window's place and size.
  int GetPositionX(int defaultValue) const;
  int GetPositionY(int defaultValue) const;
  int GetWindowWidth(int defaultValue) const;
  int GetWindowHeight(int defaultValue) const;
  bool SetPositionX(int value);
  bool SetPositionY(int value);
  bool SetWindowWidth(int value);
  bool SetWindowHeight(int value);

  // The day of the last update question as a day count (whole days; 0 when never).
  double GetLastUpdatesCheck() const;
  // Stores the day count truncated toward zero; a date beyond the 32-bit range of days is
  // stored as the nearest day in range.
  bool SetLastUpdatesCheck(double date);

  // True exactly once for a settings file: at the first call, which stores that it was made.
  // When that cannot be stored, true once per run.
  bool IsFirstLaunch();

  // Whether the ini file can be written, tried by opening it for writing (created when
  // missing, its content untouched). A failure sets the notice as a failed write does.
  bool CheckWritable();

  // In plain words, that settings cannot be saved and where: set by the first write of the
  // run that failed; empty before, and after TakeUnsavedNotice. UTF-8.
  const std::optional<std::string>& UnsavedNotice() const { return unsavedNotice; }
  // The notice, once per run: later calls (and later failures) give nothing.
  std::optional<std::string> TakeUnsavedNotice();

  // The skin (skin_image.h), loaded at the first call and owned by the store: the reference
  // is good while the store lives. Throws CPictureError when it cannot be loaded.
  const TBitmap& GetSkin();

 private:
  std::unique_ptr<TRegistry> registry;  // null in ini mode and without a key path
  std::unique_ptr<TIniFile> iniFile;    // null in registry mode
  bool useIniFile;
  std::unique_ptr<TBitmap> skin;  // null until first asked for
  void NoteUnsaved();
  // Values whose ini write failed, by section and key in upper case (names compare
  // without regard to case, as in the file).
  std::map<std::string, int> unsavedValues;
  std::map<std::string, std::u16string> unsavedTexts;
  std::optional<std::string> unsavedNotice;
  bool noticeGiven = false;
};

// Makes a store on `path` the process's store, replacing (and destroying) any earlier one.
CSettingsStorage& CreateSettings(const std::filesystem::path& path, bool useIniFile);
// The process's store; when there is none, first makes one in registry mode with an empty
// key path, which runs on defaults. The reference is good until ReleaseSettings or the next
// CreateSettings.
CSettingsStorage& SettingsInstance();
// Destroys the process's store, if any.
void ReleaseSettings();

}  // namespace Settings
