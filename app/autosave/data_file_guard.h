#pragma once
// CDataFileGuard: one rule for every save over the data file. When the store does not hold
// all that the file holds (the load stopped at damage, cut file lists that named more paths
// than a clip keeps, or the file could not be read at all), nothing is saved over the file until a
// copy of it exists beside it.

#include <filesystem>
#include <string>

#include "store/load_report.h"

class CDataFileGuard {
 public:
  explicit CDataFileGuard(std::filesystem::path path) : path_(std::move(path)) {}

  // After a load that returned: a damaged or cut file whose copy could not be made holds
  // saves back.
  void Loaded(const CLoadReport& report);
  // After a load that threw: the file is kept now if it can be. The copy's path; empty
  // when none could be made, and saves are then held back.
  std::filesystem::path LoadFailed();

  // True when a save may replace the file now. Without a copy yet, tries once more to
  // make one (a full disk may have room again).
  bool MakeSaveAllowed();
  // Whether saves may go ahead, without trying anything.
  bool SaveAllowed() const { return unkept_.empty(); }

 private:
  std::filesystem::path Keep(const std::string& why) const;

  std::filesystem::path path_;
  std::string
      unkept_;  // why the file must be kept first ("damaged", "unreadable"); empty: it need not
};
