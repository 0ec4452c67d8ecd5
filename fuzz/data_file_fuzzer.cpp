// Loads arbitrary bytes as a data file. Beyond not crashing, whatever was loaded must save
// and load back cleanly to the very same bytes.

#include <cstdint>
#include <cstdlib>

#include "store/database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CDataBase store;
  store.LoadFromMemory(std::span(data, size));
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase again;
  again.LoadFromMemory(saved);
  if (again.LastLoad().damaged || again.SaveToMemory() != saved) std::abort();
  return 0;
}
