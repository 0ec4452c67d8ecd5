#pragma once
// A settings store of a test's own, for code that is handed its store: an ini file in a
// fresh folder, removed with the object. The process-wide store is left alone.

#include "foundation/settings_storage.h"
#include "tests/support/temp_folder.h"

struct CTempSettings {
  CTempFolder folder;
  Settings::CSettingsStorage store{folder.Path() / "quillery.ini", true};
};
