// Reads arbitrary bytes as an encrypted data file or journal of a fixed key. Beyond not
// crashing: bytes that end early end for good, and the store read saves and loads back to
// the very same bytes, as the plain readers' fuzzers require.

#include <cstdint>
#include <cstdlib>

#include "fuzz/encrypted_fuzz_key.h"
#include "fuzz/journal_base_file.h"
#include "store/data_journal.h"
#include "store/database.h"
#include "store/encrypted/encrypted_data_source.h"
#include "store/encrypted/encrypted_journal.h"

namespace {

void CheckRoundTrip(const CDataBase& store) {
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase again;
  again.LoadFromMemory(saved);
  if (again.LastLoad().damaged || again.SaveToMemory() != saved) std::abort();
}

void ReadData(CByteSource& file, std::size_t size, const CEncryptedHeader& header,
              const CStoreKey& key) {
  CEncryptedDataSource source(file, size, header, key);
  CByteReader reader(source, source.Size());
  CDataBase store;
  store.LoadFromReader(reader);
  source.ReadRest();
  std::uint8_t byte = 0;
  if (!source.Damage().empty() && source.ReadAt(source.DamageOffset(), &byte, 1) != 0) std::abort();
  CheckRoundTrip(store);
}

void ReadJournal(CByteSource& file, std::size_t size, const CEncryptedHeader& header,
                 const CStoreKey& key) {
  static const std::vector<std::uint8_t> base = JournalBaseFile();
  CEncryptedJournalSource source(file, size, header, key);
  CDataBase store;
  store.LoadFromMemory(base);
  const CJournalReplay replay = ReplayJournal(source, store.LastLoad().fileDigest, store);
  if (replay.framesEnd < replay.framesBegin || replay.framesEnd > source.Size()) std::abort();
  CheckRoundTrip(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const CStoreKey key = EncryptedFuzzKey();
  CMemoryByteSource file(data, size);
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(file, size);
  if (!header || !header->damage.empty()) return 0;
  if (header->size > size) std::abort();
  if (!key.Opens(*header)) return 0;
  if (header->file == EEncryptedFile::kData) {
    ReadData(file, size, *header, key);
  } else {
    ReadJournal(file, size, *header, key);
  }
  return 0;
}
