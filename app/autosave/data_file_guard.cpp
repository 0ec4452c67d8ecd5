#include "app/autosave/data_file_guard.h"

#include "foundation/file_io.h"

std::filesystem::path CDataFileGuard::Keep(const std::string& why) const {
  if (!FileExists(path_)) return path_;  // nothing left to lose
  return CopyBeside(path_, KeptCopySuffix(why));
}

void CDataFileGuard::Loaded(const CLoadReport& report) {
  const bool partial = report.damaged || report.cutFileLists > 0;
  unkept_ = !partial || !report.damagedCopy.empty() ? "" : report.damaged ? "damaged" : "cut";
}

std::filesystem::path CDataFileGuard::LoadFailed() {
  std::filesystem::path copy = Keep("unreadable");
  unkept_ = copy.empty() ? "unreadable" : "";
  return copy;
}

bool CDataFileGuard::MakeSaveAllowed() {
  if (!unkept_.empty() && !Keep(unkept_).empty()) unkept_.clear();
  return unkept_.empty();
}
