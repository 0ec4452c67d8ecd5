// The "Privacy" page's rules: the age limit in hours or days, adding a program to the
// excluded list, and the running programs that "Add..." offers.

#include "dialogs/privacy_page_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::u16string>;

TEST(ForgetAgeTest, WholeDaysShowInDaysOtherCountsInHoursAndNeverAsAClearBox) {
  EXPECT_EQ(ForgetAgeFromHours(48), (CForgetAge{true, 2, kForgetUnitDays}));
  EXPECT_EQ(ForgetAgeFromHours(36), (CForgetAge{true, 36, kForgetUnitHours}));
  EXPECT_EQ(ForgetAgeFromHours(87600), (CForgetAge{true, 3650, kForgetUnitDays}));
  EXPECT_EQ(ForgetAgeFromHours(0), (CForgetAge{false, kForgetAmountOffered, kForgetUnitDays}));
  EXPECT_EQ(ForgetAgeFromHours(-5).on, false);
}

TEST(ForgetAgeTest, TheShownAgeIsStoredInHoursClampedAndZeroOrAClearBoxIsNever) {
  EXPECT_EQ(ForgetHoursFromAge({true, 3, kForgetUnitDays}), 72);
  EXPECT_EQ(ForgetHoursFromAge({true, 5, kForgetUnitHours}), 5);
  EXPECT_EQ(ForgetHoursFromAge({false, 3, kForgetUnitDays}), 0);
  EXPECT_EQ(ForgetHoursFromAge({true, 0, kForgetUnitDays}), 0);
  EXPECT_EQ(ForgetHoursFromAge({true, -2, kForgetUnitHours}), 0);
  EXPECT_EQ(ForgetHoursFromAge({true, 87600, kForgetUnitDays}), 87600);
  EXPECT_EQ(ForgetHoursFromAge({true, 2147483647, kForgetUnitDays}), 87600);
  for (int hours : {1, 23, 24, 25, 720, 87599, 87600}) {
    EXPECT_EQ(ForgetHoursFromAge(ForgetAgeFromHours(hours)), hours);
  }
}

TEST(AddExcludedProgramTest, APathAddsItsFileNameOnceAndAnExistingNameIsFound) {
  Names names{u"KeePass.exe"};
  EXPECT_EQ(AddExcludedProgram(names, u" C:\\Apps\\Vault.exe "), 1u);
  EXPECT_EQ(AddExcludedProgram(names, u"keepass.EXE"), 0u);
  EXPECT_EQ(AddExcludedProgram(names, u"  "), std::nullopt);
  EXPECT_EQ(AddExcludedProgram(names, u"C:\\Apps\\"), std::nullopt);
  EXPECT_EQ(names, (Names{u"KeePass.exe", u"Vault.exe"}));
}

TEST(ProgramChoicesTest, RunningProgramsAreOfferedOnceSortedAndWithoutThoseExcluded) {
  const Names paths{u"C:\\Windows\\explorer.exe", u"C:\\Apps\\Zeta.exe",  u"C:\\Apps\\KeePass.exe",
                    u"D:\\Other\\EXPLORER.EXE",   u"C:\\Apps\\alpha.exe", u""};
  EXPECT_EQ(ProgramChoices(paths, {u"keepass.exe"}),
            (Names{u"alpha.exe", u"explorer.exe", u"Zeta.exe"}));
}

}  // namespace
