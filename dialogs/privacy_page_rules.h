#pragma once
// The rules of the settings dialog's "Privacy" page: how the age limit of history clips is
// shown as a number of hours or days, how a program is added to the excluded list, and
// which running programs "Add..." offers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The items of the unit's drop-down list, in list order.
enum EForgetUnitItem : int { kForgetUnitHours = 0, kForgetUnitDays = 1 };
inline constexpr const char16_t* kForgetUnitItems[] = {u"hours", u"days"};

// What the page shows of "ForgetAfterHours": the check box, the number and its unit.
struct CForgetAge {
  bool on = false;
  int amount = 0;
  int unit = kForgetUnitDays;
  bool operator==(const CForgetAge&) const = default;
};

// The number shown while the check box is clear (the limit it offers when checked).
inline constexpr int kForgetAmountOffered = 30;
// The largest number the spin takes: the most hours that can be stored.
inline constexpr int kForgetAmountMax = 87600;

// The stored hours as shown: whole days in days, other counts in hours; 0 (and less) as a
// clear check box offering 30 days.
CForgetAge ForgetAgeFromHours(int hours);
// The hours stored for what the page shows: 0 while the box is clear or the number is 0 or
// less, otherwise the number in hours, at most 87,600.
int ForgetHoursFromAge(const CForgetAge& age);

// Adds the program named by `entry` (a file name or a path, as typed or chosen) to `names`
// unless it is there already in another case. The index of its name in `names`; none when
// the entry names no program.
std::optional<std::size_t> AddExcludedProgram(std::vector<std::u16string>& names,
                                              std::u16string_view entry);

// What "Add..." offers from the image paths of the running programs: their file names,
// once each, in alphabetical order without regard to case, leaving out those in `excluded`.
std::vector<std::u16string> ProgramChoices(const std::vector<std::u16string>& imagePaths,
                                           const std::vector<std::u16string>& excluded);
