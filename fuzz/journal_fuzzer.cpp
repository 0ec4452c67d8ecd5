// Replays arbitrary bytes as the journal of a small data file. Beyond not crashing, the
// store it leaves must save and load back cleanly to the very same bytes.

#include <cstdint>
#include <cstdlib>

#include "fuzz/journal_base_file.h"
#include "store/data_journal.h"
#include "store/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::uint8_t> file = JournalBaseFile();
  CDataBase store;
  store.LoadFromMemory(file);
  CByteReader reader(data, size);
  ReplayJournal(reader, store.LastLoad().fileDigest, store);
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase again;
  again.LoadFromMemory(saved);
  if (again.LastLoad().damaged || again.SaveToMemory() != saved) std::abort();
  return 0;
}
