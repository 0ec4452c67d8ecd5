#include "dialogs/privacy_page_rules.h"

#include <algorithm>

#include "foundation/program_list.h"

CForgetAge ForgetAgeFromHours(int hours) {
  if (hours <= 0) return {false, kForgetAmountOffered, kForgetUnitDays};
  if (hours % 24 == 0) return {true, hours / 24, kForgetUnitDays};
  return {true, hours, kForgetUnitHours};
}

int ForgetHoursFromAge(const CForgetAge& age) {
  if (!age.on || age.amount <= 0) return 0;
  const long long hours =
      static_cast<long long>(age.amount) * (age.unit == kForgetUnitDays ? 24 : 1);
  return static_cast<int>(std::min<long long>(hours, kForgetAmountMax));
}

std::optional<std::size_t> AddExcludedProgram(std::vector<std::u16string>& names,
                                              std::u16string_view entry) {
  std::u16string name = ProgramFileName(entry);
  if (name.empty()) return std::nullopt;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameProgramName(names[i], name)) return i;
  }
  names.push_back(std::move(name));
  return names.size() - 1;
}

std::vector<std::u16string> ProgramChoices(const std::vector<std::u16string>& imagePaths,
                                           const std::vector<std::u16string>& excluded) {
  std::vector<std::u16string> choices;
  for (const std::u16string& path : imagePaths) {
    std::u16string name = ProgramFileName(path);
    const auto same = [&name](const std::u16string& other) { return SameProgramName(other, name); };
    if (name.empty() || std::any_of(choices.begin(), choices.end(), same) ||
        std::any_of(excluded.begin(), excluded.end(), same)) {
      continue;
    }
    choices.push_back(std::move(name));
  }
  std::sort(choices.begin(), choices.end(), [](const std::u16string& a, const std::u16string& b) {
    return FoldProgramName(a) < FoldProgramName(b);
  });
  return choices;
}
