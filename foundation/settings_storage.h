#pragma once
// The settings store: integers under keys of an ini file (settings_keys.h), read with the
// default of each reader and written at once. It neither checks, clamps nor caches.
// One store per process, reached through SettingsInstance() at the moment of use.

#include <filesystem>
#include <memory>
#include <string_view>

#include "foundation/ini_file.h"

namespace Settings {

class CSettingsStorage {
 public:
  // With `useIni`, the store reads and writes the ini file `path`, which need not exist.
  // Without, it is in registry mode (see GetInt) and `path` is unused.
  CSettingsStorage(const std::filesystem::path& path, bool useIni);
  ~CSettingsStorage();
  CSettingsStorage(const CSettingsStorage&) = delete;
  CSettingsStorage& operator=(const CSettingsStorage&) = delete;

  bool UseIniFile() const { return useIniFile; }

  // The key's value; `defaultValue` when the file or key is missing, the value is empty or
  // not an integer. Never writes. In registry mode: always `defaultValue`.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  // Writes the value in decimal at once, creating the file if needed. Throws CFileError
  // when the system refuses the write. In registry mode: does nothing.
  void SetInt(std::string_view section, std::string_view key, int value);

  // The same in section "Main", where every setting of the program lives.
  int GetInt(std::string_view key, int defaultValue) const;
  void SetInt(std::string_view key, int value);

 private:
  std::unique_ptr<TIniFile> iniFile;  // null in registry mode
  bool useIniFile;
};

// Makes a store on `path` the process's store, replacing (and destroying) any earlier one.
CSettingsStorage& CreateSettings(const std::filesystem::path& path, bool useIniFile);
// The process's store; when there is none, first makes one in registry mode.
// The reference is good until ReleaseSettings or the next CreateSettings.
CSettingsStorage& SettingsInstance();
// Destroys the process's store, if any.
void ReleaseSettings();

}  // namespace Settings
