#pragma once
// CJournalSource: the plain bytes of the journal beside the data file, whether the file is
// plain or encrypted, for a CByteReader; and OpenJournalSource, which opens either.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/byte_reader.h"
#include "store/encrypted/encryption_mode.h"
#include "store/encrypted/store_key.h"

class CJournalSource : public CByteSource {
 public:
  // The plain journal's size; for an encrypted one an upper bound, as the bytes may end
  // early (a segment cut short or damaged).
  virtual std::uint64_t Size() const = 0;
  // Empty, or why the bytes ended early at damage ("segment 2 at offset 4172 failed
  // authentication"). Known once the reading has come that far.
  virtual const std::string& Damage() const = 0;
  // True when the bytes ended at a segment cut short: the torn tail of a write that did
  // not get through.
  virtual bool Torn() const = 0;
  virtual EEncryption Encryption() const = 0;
};

// The journal at `path`: a plain one whatever `key`; an encrypted one with `key` (which the
// caller keeps alive). Throws CStoreLockedError when the journal is encrypted and `key` is
// null or of another store, and CFileError when it cannot be opened. An encrypted journal
// whose header is damaged reads as no bytes, with the damage told.
std::unique_ptr<CJournalSource> OpenJournalSource(const std::filesystem::path& path,
                                                  const CStoreKey* key);
