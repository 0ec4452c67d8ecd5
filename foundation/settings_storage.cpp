#include "foundation/settings_storage.h"

#include <cmath>
#include <utility>
#include <limits>
#include <string>

#include "foundation/error_box.h"
#include "foundation/file_error.h"
#include "foundation/log.h"
#include "foundation/settings_keys.h"
#include "foundation/skin_image.h"
#include "platform/handles.h"
#include "platform/windows_api.h"

namespace Settings {

namespace {
std::unique_ptr<CSettingsStorage> instance;

std::string UnsavedKey(std::string_view section, std::string_view key) {
  std::string name = std::string(section) + '\n' + std::string(key);
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
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
  if (useIniFile) {
    const auto unsaved = unsavedValues.find(UnsavedKey(section, key));
    if (unsaved != unsavedValues.end()) return unsaved->second;
    return iniFile->ReadInteger(section, key, defaultValue);
  }
  if (!registry) return defaultValue;
  try {
    if (!registry->ValueExists(key)) registry->WriteInteger(key, defaultValue);
    return registry->ReadInteger(key);
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] GetInt " + std::string(key) + " Error: " + error.what());
    return 0;
  }
}

bool CSettingsStorage::SetInt(std::string_view section, std::string_view key, int value) {
  if (useIniFile) {
    const std::string unsavedKey = UnsavedKey(section, key);
    try {
      iniFile->WriteInteger(section, key, value);
    } catch (const CFileError&) {
      unsavedValues[unsavedKey] = value;
      NoteUnsaved();
      return false;
    }
    unsavedValues.erase(unsavedKey);
    return true;
  }
  if (!registry) return false;
  try {
    registry->WriteInteger(key, value);
    return true;
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] SetInt. Key: " + std::string(key) +
             " Value: " + std::to_string(value) + " Error: " + error.what());
    return false;
  }
}

std::optional<std::u16string> CSettingsStorage::GetText(std::string_view section,
                                                        std::string_view key) const {
  if (useIniFile) {
    const auto unsaved = unsavedTexts.find(UnsavedKey(section, key));
    if (unsaved != unsavedTexts.end()) return unsaved->second;
    return iniFile->ReadText(section, key);
  }
  if (!registry) return std::nullopt;
  try {
    if (!registry->ValueExists(key)) return std::nullopt;
    return registry->ReadString(key);
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] GetText " + std::string(key) + " Error: " + error.what());
    return std::nullopt;
  }
}

bool CSettingsStorage::SetText(std::string_view section, std::string_view key,
                               std::u16string_view value) {
  if (useIniFile) {
    const std::string unsavedKey = UnsavedKey(section, key);
    try {
      iniFile->WriteText(section, key, value);
    } catch (const CFileError&) {
      unsavedTexts[unsavedKey] = std::u16string(value);
      NoteUnsaved();
      return false;
    }
    unsavedTexts.erase(unsavedKey);
    return true;
  }
  if (!registry) return false;
  try {
    registry->WriteString(key, value);
    return true;
  } catch (const ERegistryException& error) {
    LogError("[SettingsStorage] SetText. Key: " + std::string(key) + " Error: " + error.what());
    return false;
  }
}

int CSettingsStorage::GetInt(std::string_view key, int defaultValue) const {
  return GetInt(kSectionMain, key, defaultValue);
}

bool CSettingsStorage::SetInt(std::string_view key, int value) {
  return SetInt(kSectionMain, key, value);
}

std::filesystem::path CSettingsStorage::FileName() const {
  return iniFile ? iniFile->FileName() : std::filesystem::path();
}

bool CSettingsStorage::CheckWritable() {
  if (!useIniFile) return true;
  const std::u16string path = iniFile->FileName().u16string();
  // Opened as a write would open it, without changing a byte: the first write makes the
  // file anyway, so creating it empty here costs nothing.
  UniqueFile file = AdoptFile(CreateFileW(AsWide(path.c_str()), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) return true;
  NoteUnsaved();
  return false;
}

void CSettingsStorage::NoteUnsaved() {
  if (noticeGiven || unsavedNotice) return;
  unsavedNotice = "Quillery cannot save its settings in " + PathText(FileName()) +
                  ".\n\nIt keeps running with the settings it has; changes you make now last "
                  "until Quillery is closed. To keep them, make that folder writable or run "
                  "Quillery from a folder that can be written.";
}

std::optional<std::string> CSettingsStorage::TakeUnsavedNotice() {
  if (!unsavedNotice) return std::nullopt;
  noticeGiven = true;
  return std::exchange(unsavedNotice, std::nullopt);
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
bool CSettingsStorage::SetPositionX(int value) {
  return SetInt(kPositionX, value);
}
bool CSettingsStorage::SetPositionY(int value) {
  return SetInt(kPositionY, value);
}
bool CSettingsStorage::SetWindowWidth(int value) {
  return SetInt(kWindowWidth, value);
}
bool CSettingsStorage::SetWindowHeight(int value) {
  return SetInt(kWindowHeight, value);
}

double CSettingsStorage::GetLastUpdatesCheck() const {
  return GetInt(kLastUpdatesCheck, kLastUpdatesCheckSetting.defaultValue);
}

bool CSettingsStorage::SetLastUpdatesCheck(double date) {
  // Converting a double outside int's range (or NaN) is undefined; such a date is clamped.
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  const double day = std::isnan(date) ? 0.0 : std::trunc(date);
  return SetInt(kLastUpdatesCheck, static_cast<int>(day < kLowest    ? kLowest
                                                    : day > kHighest ? kHighest
                                                                     : day));
}

bool CSettingsStorage::IsFirstLaunch() {
  if (GetInt(kFirstLaunch, kFirstLaunchSetting.defaultValue) != 1) return false;
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
