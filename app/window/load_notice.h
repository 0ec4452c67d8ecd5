#pragma once
// What the user is told, once after start-up, when the data file or its journal was
// damaged, or the data file held clips beyond what a clip keeps; and, once a run, when
// the automatic saves keep failing.

#include <optional>
#include <string>

#include "app/autosave/auto_save.h"
#include "store/load_report.h"

// The message for a load that a damaged record stopped, naming the preserved original,
// and for file lists that the load cut; none when the load found neither.
std::optional<std::u16string> DamagedFileNotice(const CLoadReport& report);

// The message for a journal of the last run that could not be read or applied whole,
// naming its preserved copy.
std::u16string DamagedJournalNotice(const CJournalDamage& damage);

// The message for automatic saves that keep failing, or for the journal that grows
// meanwhile.
std::u16string SaveTroubleNotice(const CSaveTrouble& trouble);
