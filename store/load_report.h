#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "store/encrypted/encryption_mode.h"

enum class DataFormat { kNone, kCurrent, kLegacy };

// What the last load of the data file found. When a damaged record stopped the reading,
// everything before it was loaded, and the original file was kept untouched beside the
// data file so that the next save cannot destroy what lay after the damage. A PNG picture
// record whose image cannot be kept is damage that does not stop the reading: its clip
// alone is missing, and the file is kept beside all the same.
struct CLoadReport {
  DataFormat format = DataFormat::kNone;  // kNone: there was no file
  // How the file was protected on disk; kOff for a plain or legacy one. Its plain bytes
  // are read as a plain file's are.
  EEncryption encryption = EEncryption::kOff;
  bool damaged = false;
  // Where the record that stopped the reading begins (else the first record passed as
  // damaged), in the plain bytes; for an encrypted
  // file whose chunk failed, where that chunk's plain bytes begin.
  std::uint64_t damageOffset = 0;
  // For an encrypted file, a chunk that failed names its index and file offset ("chunk 3
  // at offset 3146072 failed authentication").
  std::string damageReason;
  // The original kept beside (as it is on disk, encrypted or not), when damage or cut lists made
  // the store hold less than the file; empty if no copy could be made.
  std::filesystem::path damagedCopy;
  int skippedRecords = 0;  // records of kinds this program does not know
  // File lists of more paths than a clip keeps (kMaxDropPaths), loaded with their first
  // ones; the next save keeps only those, the kept original all of them.
  int cutFileLists = 0;
  // CContentDigest of the whole file as found, damage and all (of no bytes when there was
  // no file): what a journal of later changes names as the file it extends. For an
  // encrypted file, of its plain bytes, so that the same store matches however it is kept;
  // of those before a failed chunk when one failed.
  std::uint64_t fileDigest = 0;
};
