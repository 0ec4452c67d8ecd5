#include "foundation/program_list.h"

#include <algorithm>

#include "foundation/name_fold.h"
#include "foundation/settings_keys.h"

namespace {

constexpr std::u16string_view kProgramSeparators = u";,";
// Quotes cannot be part of a file name; they come with paths pasted from elsewhere.
constexpr std::u16string_view kProgramBlanks = u" \t\r\n\u00A0\"";

std::u16string_view TrimProgramNameBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(kProgramBlanks);
  if (first == std::u16string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kProgramBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

std::u16string ProgramFileName(std::u16string_view path) {
  const std::size_t folderEnd = path.find_last_of(u"\\/:");
  if (folderEnd != std::u16string_view::npos) path.remove_prefix(folderEnd + 1);
  return std::u16string(TrimProgramNameBlanks(path));
}

bool SameProgramName(std::u16string_view a, std::u16string_view b) {
  return FoldProgramName(a) == FoldProgramName(b);
}

std::vector<std::u16string> ParseProgramList(std::u16string_view text) {
  std::vector<std::u16string> names;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of(kProgramSeparators), text.size());
    std::u16string name = ProgramFileName(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (name.empty()) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&name](const std::u16string& kept) {
      return SameProgramName(kept, name);
    });
    if (!seen) names.push_back(std::move(name));
  }
  return names;
}

std::u16string JoinProgramList(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (const std::u16string& name : names) {
    if (!text.empty()) text += u';';
    text += name;
  }
  return text;
}

std::vector<std::u16string> ReadExcludedPrograms(const Settings::CSettingsStorage& store) {
  const std::optional<std::u16string> stored =
      store.GetText(Settings::kPrivacySection, Settings::kExcludedPrograms);
  return ParseProgramList(stored ? std::u16string_view(*stored) : kDefaultExcludedPrograms);
}

bool StoreExcludedPrograms(Settings::CSettingsStorage& store,
                           const std::vector<std::u16string>& names) {
  return store.SetText(Settings::kPrivacySection, Settings::kExcludedPrograms,
                       JoinProgramList(names));
}
