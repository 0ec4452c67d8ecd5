#include "foundation/settings_storage.h"

#include <cmath>
#include <limits>
#include <string>

#include "foundation/error_box.h"
#include "foundation/log.h"
#include "foundation/settings_keys.h"
#include "foundation/skin_image.h"

namespace Settings {

namespace {
std::unique_ptr<CSettingsStorage> instance;
}  // namespace

CSettingsStorage::CSettingsStorage(const std::filesystem::path& path, bool useIni)
    : useIniFile(useIni) {
  if (useIniFile) {
    iniFile = std::make_unique<TIniFile>(path);
  } else {
    // Without a key path there is nothing to open (the path would name the root of
    // HKEY_LOCAL_MACHINE itself): the store keeps no registry and runs on defaults.
    const std::string keyPath = path.string();
    if (!keyPath.empty()) {
      registry = std::make_unique<TRegistry>();
      registry->SetRootKey(HKEY_LOCAL_MACHINE);
      try {
        registry->OpenKey(keyPath, true);
      } catch (const ERegistryException& error) {
        LogError(std::string("[SettingsStorage] ") + error.what());
        ShowErrorBox(error.what());
      }
    }
  }
  LogInfo("SettingsStorage v1.0 initialized");
}

CSettingsStorage::~CSettingsStorage() {
  skin.reset();
  if (registry) registry->CloseKey();
  registry.reset();
  iniFile.reset();
  LogInfo("SettingsStorage uninitialized");
}

int CSettingsStorage::GetInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
  if (useIniFile) return iniFile->ReadInteger(section, key, defaultValue);
  if (!registry) return defaultValue;
  try {
    if (!registry->ValueExists(key)) registry->WriteInteger(key, defaultValue);
    return registry->ReadInteger(key);
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] GetInt " + std::string(key) + " Error: " + error.what());
    return 0;
  }
}

void CSettingsStorage::SetInt(std::string_view section, std::string_view key, int value) {
  if (useIniFile) {
    iniFile->WriteInteger(section, key, value);
    return;
  }
  if (!registry) return;
  try {
    registry->WriteInteger(key, value);
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] SetInt. Key: " + std::string(key) +
             " Value: " + std::to_string(value) + " Error: " + error.what());
  }
}

int CSettingsStorage::GetInt(std::string_view key, int defaultValue) const {
  return GetInt(kSectionMain, key, defaultValue);
}

void CSettingsStorage::SetInt(std::string_view key, int value) {
  SetInt(kSectionMain, key, value);
}

int CSettingsStorage::GetPositionX(int defaultValue) const {
  return GetInt(kPositionX, defaultValue);
}
int CSettingsStorage::GetPositionY(int defaultValue) const {
  return GetInt(kPositionY, defaultValue);
}
int CSettingsStorage::GetWindowWidth(int defaultValue) const {
  return GetInt(kWindowWidth, defaultValue);
}
int CSettingsStorage::GetWindowHeight(int defaultValue) const {
  return GetInt(kWindowHeight, defaultValue);
}
void CSettingsStorage::SetPositionX(int value) {
  SetInt(kPositionX, value);
}
void CSettingsStorage::SetPositionY(int value) {
  SetInt(kPositionY, value);
}
void CSettingsStorage::SetWindowWidth(int value) {
  SetInt(kWindowWidth, value);
}
void CSettingsStorage::SetWindowHeight(int value) {
  SetInt(kWindowHeight, value);
}

double CSettingsStorage::GetLastUpdatesCheck() const {
  return GetInt(kLastUpdatesCheck, kLastUpdatesCheckDefault);
}

void CSettingsStorage::SetLastUpdatesCheck(double date) {
  // Converting a double outside int's range (or NaN) is undefined; such a date is clamped.
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  const double day = std::isnan(date) ? 0.0 : std::trunc(date);
  SetInt(kLastUpdatesCheck, static_cast<int>(day < kLowest    ? kLowest
                                             : day > kHighest ? kHighest
                                                              : day));
}

bool CSettingsStorage::IsFirstLaunch() {
  if (GetInt(kFirstLaunch, kFirstLaunchDefault) != 1) return false;
  SetInt(kFirstLaunch, 0);
  return true;
}

const TBitmap& CSettingsStorage::GetSkin() {
  if (!skin) skin = std::make_unique<TBitmap>(LoadSkinImage());
  return *skin;
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
