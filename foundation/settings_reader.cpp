#include "foundation/settings_reader.h"

#include <algorithm>

namespace Settings {

int ReadSetting(const CSettingsStorage& store, const CIntSetting& setting) {
  return std::clamp(ReadSettingAsStored(store, setting), setting.min, setting.max);
}

int ReadSettingAsStored(const CSettingsStorage& store, const CIntSetting& setting) {
  return store.GetInt(setting.section, setting.key, setting.defaultValue);
}

int ReadSettingInRange(const CSettingsStorage& store, const CIntSetting& setting) {
  const int stored = ReadSettingAsStored(store, setting);
  return stored < setting.min || stored > setting.max ? setting.defaultValue : stored;
}

}  // namespace Settings
