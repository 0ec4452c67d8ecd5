#include "foundation/settings_storage.h"

#include "foundation/settings_keys.h"

namespace Settings {

namespace {
std::unique_ptr<CSettingsStorage> instance;
}  // namespace

CSettingsStorage::CSettingsStorage(const std::filesystem::path& path, bool useIni)
    : iniFile(useIni ? std::make_unique<TIniFile>(path) : nullptr), useIniFile(useIni) {}

CSettingsStorage::~CSettingsStorage() = default;

// The registry back end is not built yet: in registry mode reads give the caller's default
// and writes are dropped, so the program runs on its defaults.
int CSettingsStorage::GetInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
  if (!useIniFile) return defaultValue;
  return iniFile->ReadInteger(section, key, defaultValue);
}

void CSettingsStorage::SetInt(std::string_view section, std::string_view key, int value) {
  if (!useIniFile) return;
  iniFile->WriteInteger(section, key, value);
}

int CSettingsStorage::GetInt(std::string_view key, int defaultValue) const {
  return GetInt(kSectionMain, key, defaultValue);
}

void CSettingsStorage::SetInt(std::string_view key, int value) {
  SetInt(kSectionMain, key, value);
}

CSettingsStorage& CreateSettings(const std::filesystem::path& path, bool useIniFile) {
  instance = std::make_unique<CSettingsStorage>(path, useIniFile);
  return *instance;
}

CSettingsStorage& SettingsInstance() {
  if (!instance) instance = std::make_unique<CSettingsStorage>(std::filesystem::path(), false);
  return *instance;
}

void ReleaseSettings() {
  instance.reset();
}

}  // namespace Settings
