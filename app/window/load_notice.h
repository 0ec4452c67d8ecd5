#pragma once
// What the user is told, once after start-up, when the data file was damaged or held clips
// beyond what a clip keeps.

#include <optional>
#include <string>

#include "store/load_report.h"

// The message for a load that a damaged record stopped, naming the preserved original,
// and for file lists that the load cut; none when the load found neither.
std::optional<std::u16string> DamagedFileNotice(const CLoadReport& report);
