// Excluded programs: the list's rule for names and paths, and a copy made by a program on
// the list, here the test program itself, which owns the window that "another program" of
// the clipboard driver copies with.

#include <gtest/gtest.h>

#include "store/capture_exclusion.h"
#include "foundation/name_fold.h"
#include "foundation/program_list.h"
#include "tests/support/log_capture.h"
#include "tests/support/store_fixture.h"

namespace {

TEST(ProgramExclusionTest, NamesMatchWithoutRegardToCaseOrTheFolderOfThePath) {
  const CProgramExclusion exclusion({u"KeePass.exe", u"  vault.EXE ", u"C:\\Tools\\Secret.exe"});
  EXPECT_TRUE(exclusion.Excludes(u"keepass.exe"));
  EXPECT_TRUE(exclusion.Excludes(u"C:\\Program Files\\KeePass\\KEEPASS.EXE"));
  EXPECT_TRUE(exclusion.Excludes(u"D:/portable/Vault.exe"));
  EXPECT_TRUE(exclusion.Excludes(u"D:\\Other\\secret.exe"));  // a listed path names its file
  EXPECT_FALSE(exclusion.Excludes(u"C:\\KeePass.exe\\notepad.exe"));
  EXPECT_FALSE(exclusion.Excludes(u"KeePass"));
  EXPECT_FALSE(exclusion.Excludes(u"C:\\Program Files\\KeePass\\"));
  EXPECT_FALSE(exclusion.Excludes(u""));
}

TEST(ProgramExclusionTest, NamesOfOtherScriptsFoldTheirCase) {
  const CProgramExclusion exclusion({u"ПАРОЛИ.exe", u"ΚΛΕΙΔΙ.exe", u"\U00010400.exe"});
  EXPECT_TRUE(exclusion.Excludes(u"C:\\пароли.EXE"));
  EXPECT_TRUE(exclusion.Excludes(u"κλειδι.exe"));
  EXPECT_TRUE(exclusion.Excludes(u"\U00010428.exe"));  // Deseret, beyond the 16-bit range
  EXPECT_FALSE(exclusion.Excludes(u"пароль.exe"));
}

TEST(ProgramExclusionTest, AnEmptyListOrBlankEntriesExcludeNothing) {
  EXPECT_TRUE(CProgramExclusion(std::vector<std::u16string>{}).Empty());
  const CProgramExclusion blanks({u"", u"   ", u"C:\\Folder\\"});
  EXPECT_TRUE(blanks.Empty());
  EXPECT_FALSE(blanks.Excludes(u"C:\\Folder\\"));
}

TEST(ProgramExclusionTest, FoldingKeepsOneCharacterForOneAndLoneSurrogates) {
  EXPECT_EQ(FoldProgramName(u"ÀÉÎ-Straße-ẞ"), u"àéî-straße-ß");
  EXPECT_EQ(FoldProgramName(u"\xD801x\U00010400"), u"\xD801x\U00010428");
}

// The file name of this test program, as the system reports its image.
std::u16string OwnFileName() {
  std::u16string path(4096, u'\0');
  path.resize(GetModuleFileNameW(nullptr, AsWide(path.data()), static_cast<DWORD>(path.size())));
  return std::u16string(ProgramFileName(path));
}

class ExcludedProgramCaptureTest : public StoreTest {
 protected:
  void Exclude(std::vector<std::u16string> names) {
    CCaptureRules rules = store.CaptureRules();
    rules.excludedPrograms = std::move(names);
    store.SetCaptureRules(rules);
  }
};

TEST_F(ExcludedProgramCaptureTest, CopiesOfAnExcludedProgramAreNotKeptAndTheCaptionStays) {
  CopyTexts({u"before"});
  CLogCapture log;
  std::u16string shouted = OwnFileName();
  for (char16_t& unit : shouted) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - 32);
  }
  Exclude({u"other.exe", shouted});
  CopyTexts({u"secret", u"another secret"});
  EXPECT_EQ(History(), std::vector<std::u16string>{u"before"});
  EXPECT_EQ(store.LastCaption(), u"before");
  EXPECT_EQ(store.LastCaptureSequence(), 0u);
  // Named once in the log for the run, however many copies it makes.
  const std::string text = log.Text();
  EXPECT_NE(text.find("excluded"), std::string::npos) << text;
  EXPECT_EQ(text.find("excluded"), text.rfind("excluded")) << text;
}

TEST_F(ExcludedProgramCaptureTest, AListWithoutTheProgramCapturesAsBefore) {
  Exclude({u"other.exe"});
  CopyTexts({u"kept"});
  Exclude({});
  CopyTexts({u"kept too"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"kept too", u"kept"}));
}

}  // namespace
