#include "store/capture_exclusion.h"

#include "store/name_fold.h"

std::u16string_view ProgramFileName(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

namespace {

std::u16string_view TrimmedName(std::u16string_view name) {
  const std::size_t first = name.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return {};
  const std::size_t last = name.find_last_not_of(u" \t");
  return name.substr(first, last - first + 1);
}

}  // namespace

CProgramExclusion::CProgramExclusion(const std::vector<std::u16string>& names) {
  for (const std::u16string& name : names) {
    const std::u16string_view fileName = ProgramFileName(TrimmedName(name));
    if (!fileName.empty()) folded_.insert(FoldProgramName(fileName));
  }
}

bool CProgramExclusion::Excludes(std::u16string_view path) const {
  if (folded_.empty()) return false;
  const std::u16string_view fileName = ProgramFileName(path);
  return !fileName.empty() && folded_.contains(FoldProgramName(fileName));
}
