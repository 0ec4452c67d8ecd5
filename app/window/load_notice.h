#pragma once
// What the user is told, once after start-up, when the data file was damaged.

#include <optional>
#include <string>

#include "store/load_report.h"

// The message for a load that a damaged record stopped, naming the preserved original;
// none when the load found no damage.
std::optional<std::u16string> DamagedFileNotice(const CLoadReport& report);
