#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

enum class DataFormat { kNone, kCurrent, kLegacy };

// What the last load of the data file found. When a damaged record stopped the reading,
// everything before it was loaded, and the original file was kept untouched beside the
// data file so that the next save cannot destroy what lay after the damage.
struct CLoadReport {
  DataFormat format = DataFormat::kNone;  // kNone: there was no file
  bool damaged = false;
  std::uint64_t damageOffset = 0;  // where the record that stopped the reading begins
  std::string damageReason;
  // The original kept beside, when damage or cut lists made the store hold less than the
  // file; empty if no copy could be made.
  std::filesystem::path damagedCopy;
  int skippedRecords = 0;  // records of kinds this program does not know
  // File lists of more paths than a clip keeps (kMaxDropPaths), loaded with their first
  // ones; the next save keeps only those, the kept original all of them.
  int cutFileLists = 0;
  // CContentDigest of the whole file as found, damage and all (of no bytes when there was
  // no file): what a journal of later changes names as the file it extends.
  std::uint64_t fileDigest = 0;
};
