#include "foundation/program_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/settings_keys.h"
#include "tests/support/temp_settings.h"

namespace {

using Names = std::vector<std::u16string>;
using namespace Settings;

TEST(ProgramListTest, EntriesAreTrimmedAndEmptyOnesDroppedInOrder) {
  EXPECT_EQ(ParseProgramList(u"  KeePass.exe ;; ;\tMy Vault.exe;"),
            (Names{u"KeePass.exe", u"My Vault.exe"}));
  EXPECT_EQ(ParseProgramList(u""), Names{});
  EXPECT_EQ(ParseProgramList(u" ; , "), Names{});
}

TEST(ProgramListTest, CommasSeparateAsSemicolonsDo) {
  EXPECT_EQ(ParseProgramList(u"b.exe, a.exe;c.exe"), (Names{u"b.exe", u"a.exe", u"c.exe"}));
}

TEST(ProgramListTest, PathsKeepOnlyTheirFileName) {
  EXPECT_EQ(ParseProgramList(u"C:\\Program Files\\KeePass\\KeePass.exe;\"D:\\x\\Tool.exe\";"
                             u"/opt/wine/vault.exe;E:plain.exe;C:\\Folder\\"),
            (Names{u"KeePass.exe", u"Tool.exe", u"vault.exe", u"plain.exe"}));
}

TEST(ProgramListTest, LaterDuplicatesInAnyCaseAreDroppedAndTheFirstSpellingKept) {
  EXPECT_EQ(ParseProgramList(u"KeePass.exe;KEEPASS.EXE;c:\\apps\\keepass.exe;Other.exe"),
            (Names{u"KeePass.exe", u"Other.exe"}));
  EXPECT_EQ(ParseProgramList(u"Пароль.exe;ПАРОЛЬ.EXE;Ñandú.exe;ÑANDÚ.exe;Κλειδιά.exe;ΚΛΕΙΔΙΆ.exe"),
            (Names{u"Пароль.exe", u"Ñandú.exe", u"Κλειδιά.exe"}));
}

TEST(ProgramListTest, UnknownNamesAndNamesOfAnyScriptAreKept) {
  const Names names{u"密码管理.exe", u"notepad", u"x", u"\U0001F511.exe"};
  EXPECT_EQ(ParseProgramList(JoinProgramList(names)), names);
}

TEST(ProgramListTest, JoiningSeparatesWithSemicolonsOnly) {
  EXPECT_EQ(JoinProgramList({u"a.exe", u"b c.exe"}), u"a.exe;b c.exe");
  EXPECT_EQ(JoinProgramList({}), u"");
}

TEST(ProgramListTest, TheSameNameIgnoresCaseButNotOtherLetters) {
  EXPECT_TRUE(SameProgramName(u"consent.exe", u"CONSENT.EXE"));
  EXPECT_TRUE(SameProgramName(u"ёлка.exe", u"ЁЛКА.exe"));
  EXPECT_FALSE(SameProgramName(u"consent.exe", u"consent.ex"));
  EXPECT_FALSE(SameProgramName(u"a.exe", u"b.exe"));
}

TEST(ProgramListTest, TheDefaultListHasNoDuplicatesAndNamesThePasswordManagers) {
  const Names defaults = ParseProgramList(kDefaultExcludedPrograms);
  EXPECT_EQ(JoinProgramList(defaults), kDefaultExcludedPrograms);
  EXPECT_GE(defaults.size(), 10u);
  EXPECT_EQ(defaults.front(), u"KeePass.exe");
}

class StoredProgramListTest : public ::testing::Test {
 protected:
  CTempSettings settings;
  CSettingsStorage& store = settings.store;
};

TEST_F(StoredProgramListTest, AnAbsentKeyGivesTheDefaultListAndAnEmptyValueNoProgram) {
  EXPECT_EQ(ReadExcludedPrograms(store), ParseProgramList(kDefaultExcludedPrograms));
  EXPECT_TRUE(StoreExcludedPrograms(store, {}));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"");
  EXPECT_EQ(ReadExcludedPrograms(store), Names{});
}

TEST_F(StoredProgramListTest, AStoredListComesBackAndAHandEditedOneLosesNoName) {
  EXPECT_TRUE(StoreExcludedPrograms(store, {u"Vault.exe", u"Сейф.exe"}));
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"Vault.exe;Сейф.exe");
  EXPECT_EQ(ReadExcludedPrograms(store), (Names{u"Vault.exe", u"Сейф.exe"}));
  store.SetText(kPrivacySection, kExcludedPrograms, u" ,C:\\Tools\\Unknown.exe,, vault.EXE ;x");
  EXPECT_EQ(ReadExcludedPrograms(store), (Names{u"Unknown.exe", u"vault.EXE", u"x"}));
}

}  // namespace
