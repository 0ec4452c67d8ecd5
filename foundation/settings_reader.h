#pragma once
// Reading one integer setting by its description (settings_keys.h), so that each key's
// default and range are stated in one place and every reader applies them alike.

#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"

namespace Settings {

// The stored value limited to the setting's range; its default when none is stored. Reads
// the store at this moment.
int ReadSetting(const CSettingsStorage& store, const CIntSetting& setting);

// The stored value as it is, or the default: for the readers that apply a rule of their
// own instead of the range (the settings dialog's spin positions, the history capacity of
// captures).
int ReadSettingAsStored(const CSettingsStorage& store, const CIntSetting& setting);

// The stored value when it lies within the setting's range, its default otherwise: for the
// settings whose values name choices, where the nearest choice to a stray number is no
// better a guess than the default. Only this setting's read is affected; nothing is written.
int ReadSettingInRange(const CSettingsStorage& store, const CIntSetting& setting);

}  // namespace Settings
