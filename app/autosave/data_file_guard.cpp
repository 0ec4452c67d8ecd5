#include "app/autosave/data_file_guard.h"

#include <cstdio>

#include "foundation/file_io.h"
#include "platform/windows_api.h"

namespace {

// ".damaged-20261208-193005": when the file was kept, for the copy's name.
std::string Stamp(const std::string& why) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "-%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return "." + why + stamp;
}

}  // namespace

std::filesystem::path CDataFileGuard::Keep(const std::string& why) const {
  if (!FileExists(path_)) return path_;  // nothing left to lose
  return CopyBeside(path_, Stamp(why));
}

void CDataFileGuard::Loaded(const CLoadReport& report) {
  unkept_ = report.damaged && report.damagedCopy.empty() ? "damaged" : "";
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
