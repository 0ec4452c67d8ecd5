#include "store/capture_exclusion.h"

#include "foundation/name_fold.h"
#include "foundation/program_list.h"

CProgramExclusion::CProgramExclusion(const std::vector<std::u16string>& names) {
  for (const std::u16string& name : names) {
    const std::u16string fileName = ProgramFileName(name);
    if (!fileName.empty()) folded_.insert(FoldProgramName(fileName));
  }
}

bool CProgramExclusion::Excludes(std::u16string_view path) const {
  if (folded_.empty()) return false;
  const std::u16string fileName = ProgramFileName(path);
  return !fileName.empty() && folded_.contains(FoldProgramName(fileName));
}
