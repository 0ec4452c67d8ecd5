#pragma once
// A data file and a journal of valid frames beside it, as a run that ended without saving
// leaves them, of any size, for measuring the journal's replay. The frames come from the
// store's own CJournalDiff, for one change made once, and are written again and again:
// each repeat is that same change once more, which the replay applies again.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

enum class EJournalChange {
  kChurn,    // a text clip inserted at the head, then removed: the store stays as it was
  kGrow,     // a text clip inserted at the head: the store grows by what the journal holds
  kHotKeys,  // a clip's hot key set: the smallest frame there is, so the most frames
};

std::optional<EJournalChange> JournalChangeNamed(std::string_view name);

struct CJournalFixture {
  std::uint64_t changes = 0;       // entries after the base, which a replay applies
  std::uint64_t journalBytes = 0;  // the journal file's size
  int clipsInFile = 0;             // clips in the data file
};

// Writes `dataFile` (one short text clip) and "<dataFile>.journal": its header, a base
// naming the data file, and `change` repeated until the journal holds at least
// `journalBytes`. Inserted texts have `textUnits` UTF-16 units each. Throws CFileError
// when a file cannot be written.
CJournalFixture WriteJournalFixture(const std::filesystem::path& dataFile,
                                    std::uint64_t journalBytes, EJournalChange change,
                                    std::size_t textUnits);
