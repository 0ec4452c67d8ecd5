// TIniFile and the system's private-profile functions beneath it. Natively these run
// against the model, under Wine against the system, so the model's rules are checked too.
// Writes are checked on files that Windows and Wine write out alike, except in one native test.

#include "foundation/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "foundation/file_error.h"
#include "platform/windows_api.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

const WCHAR* W(const char16_t* text) {
  return AsWide(text);
}

// Makes a file read-only for the life of the object, so that the folder can be removed.
class CReadOnlyFile {
 public:
  explicit CReadOnlyFile(fs::path path) : path_(std::move(path)) {
    Allow(fs::perm_options::remove);
  }
  ~CReadOnlyFile() { Allow(fs::perm_options::add); }

 private:
  void Allow(fs::perm_options how) { fs::permissions(path_, fs::perms::owner_write, how); }
  fs::path path_;
};

// Windows refuses to write a read-only file; Wine run by root writes it all the same.
bool SystemRefusesWriting(const fs::path& path) {
#ifdef _WIN32
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  CloseHandle(file);
  return false;
#else
  (void)path;
  return true;
#endif
}

class PrivateProfileTest : public ::testing::Test {
 protected:
  std::u16string Read(const char16_t* section, const char16_t* key, const char16_t* fallback,
                      DWORD size = 100) {
    std::u16string buffer(size, u'#');
    const DWORD copied = GetPrivateProfileStringW(W(section), W(key), W(fallback),
                                                  AsWide(buffer.data()), size, W(file.c_str()));
    EXPECT_LT(copied, size);
    EXPECT_EQ(buffer[copied], u'\0');
    return buffer.substr(0, copied);
  }

  BOOL Write(const char16_t* section, const char16_t* key, const char16_t* value,
             const fs::path& target) {
    const std::u16string name = target.u16string();
    return WritePrivateProfileStringW(W(section), W(key), W(value), W(name.c_str()));
  }
  BOOL Write(const char16_t* section, const char16_t* key, const char16_t* value) {
    return Write(section, key, value, path);
  }

  CTempFolder folder;
  fs::path path = folder.Path() / "test.ini";
  std::u16string file = path.u16string();
};

TEST_F(PrivateProfileTest, TheFirstMatchingSectionAndKeyWinWhateverTheirCase) {
  PutFile(path, "[Main]\r\nkey=one\r\nKEY=two\r\n[MAIN]\r\nKey=three\r\nOther=four\r\n");
  EXPECT_EQ(Read(u"main", u"Key", u"-"), u"one");
  EXPECT_EQ(Read(u"Main", u"Other", u"-"), u"-");  // only the first [Main] is searched
}

TEST_F(PrivateProfileTest, NamesAndValuesAreTrimmedAndMatchingQuotesDropped) {
  PutFile(path, "[ Main ]\r\n\t Key \t=  a b  \r\nQ1=\"x y\"\r\nQ2='x y'\r\nQ3='x\"\r\n");
  EXPECT_EQ(Read(u"Main", u"Key", u"-"), u"a b");
  EXPECT_EQ(Read(u"Main", u"Q1", u"-"), u"x y");
  EXPECT_EQ(Read(u"Main", u"Q2", u"-"), u"x y");
  EXPECT_EQ(Read(u"Main", u"Q3", u"-"), u"'x\"");
}

TEST_F(PrivateProfileTest, AMissingFileKeyOrValueGivesTheDefaultWithoutTrailingSpaces) {
  EXPECT_EQ(Read(u"Main", u"Key", u"dflt  "), u"dflt");
  EXPECT_FALSE(fs::exists(path));
  PutFile(path, "[Main]\r\nKey\r\nEmpty=\r\n");
  EXPECT_EQ(Read(u"Main", u"Key", u"dflt"), u"dflt");  // a line without '=' has no value
  EXPECT_EQ(Read(u"Main", u"Empty", u"dflt"), u"");
  EXPECT_EQ(Read(u"Main", u"Missing", nullptr), u"");
}

TEST_F(PrivateProfileTest, AValueIsCutToTheBufferAndTheUnitsCopiedAreCounted) {
  PutFile(path, "[Main]\r\nKey=hello\r\n");
  EXPECT_EQ(Read(u"Main", u"Key", u"-", 1), u"");
  EXPECT_EQ(Read(u"Main", u"Key", u"-", 3), u"he");
  EXPECT_EQ(Read(u"Main", u"Key", u"-", 6), u"hello");
}

TEST_F(PrivateProfileTest, AWriteReplacesTheFirstMatchInPlaceAndKeepsEveryOtherLine) {
  PutFile(path, "; settings\r\n[Main]\r\nA=1\r\nkey=2\r\nKey=3\r\n[Other]\r\nkey=4\r\n");
  EXPECT_TRUE(Write(u"MAIN", u"KEY", u"  5"));
  EXPECT_EQ(FileBytes(path),
            "; settings\r\n[Main]\r\nA=1\r\nkey=5\r\nKey=3\r\n[Other]\r\nkey=4\r\n");
}

TEST_F(PrivateProfileTest, WritingTheValueAlreadyThereLeavesTheFileAlone) {
  PutFile(path, "[Main]\r\n  Key = 5 \r\n");
  EXPECT_TRUE(Write(u"Main", u"Key", u"5"));
  EXPECT_EQ(FileBytes(path), "[Main]\r\n  Key = 5 \r\n");
}

#ifndef _WIN32
// Windows edits the file in place, as the model does. Wine writes the whole file anew,
// without blank lines and without the white space around names, values and comments.
TEST_F(PrivateProfileTest, LinesThatAWriteDoesNotTouchKeepTheirBytes) {
  PutFile(path, "  ; note = x \r\n[Main]\r\n  A = 1 \r\n\r\n[Other]\n B=2\n");
  EXPECT_TRUE(Write(u"Main", u"C", u"3"));
  EXPECT_EQ(FileBytes(path), "  ; note = x \r\n[Main]\r\n  A = 1 \r\nC=3\r\n\r\n[Other]\n B=2\n");
}
#endif

TEST_F(PrivateProfileTest, ANewKeyEndsItsSectionAndANewSectionEndsTheFile) {
  PutFile(path, "[Main]\r\nA=1\r\n[Other]\r\nB=2");
  EXPECT_TRUE(Write(u"Main", u"C", u"3"));
  EXPECT_TRUE(Write(u"New", u"D", u"4"));
  EXPECT_EQ(FileBytes(path), "[Main]\r\nA=1\r\nC=3\r\n[Other]\r\nB=2\r\n[New]\r\nD=4\r\n");
}

TEST_F(PrivateProfileTest, TheFirstWriteCreatesTheFile) {
  EXPECT_TRUE(Write(u"Main", u"A", u"1"));
  EXPECT_TRUE(Write(u"Main", u"B", u"2"));
  EXPECT_EQ(FileBytes(path), "[Main]\r\nA=1\r\nB=2\r\n");
}

TEST_F(PrivateProfileTest, ANullValueDeletesTheKeyAndANullKeyTheWholeSection) {
  PutFile(path, "[Main]\r\nA=1\r\nB=2\r\n[Other]\r\nC=3\r\n[Last]\r\nD=4\r\n");
  EXPECT_TRUE(Write(u"Main", u"A", nullptr));
  EXPECT_TRUE(Write(u"other", nullptr, nullptr));
  EXPECT_EQ(FileBytes(path), "[Main]\r\nB=2\r\n[Last]\r\nD=4\r\n");
}

TEST_F(PrivateProfileTest, DeletingFromAMissingFileCreatesNothing) {
  EXPECT_TRUE(Write(u"Main", u"A", nullptr));
  EXPECT_TRUE(Write(u"Main", nullptr, nullptr));
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(PrivateProfileTest, AWriteIntoAMissingFolderOrOntoAFolderFailsWithTheSystemsError) {
  EXPECT_FALSE(Write(u"Main", u"A", u"1", folder.Path() / "missing" / "test.ini"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(Write(u"Main", u"A", u"1", folder.Path()));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
}

TEST_F(PrivateProfileTest, AReadOnlyFileRefusesWrites) {
  PutFile(path, "[Main]\r\nA=1\r\n");
  const CReadOnlyFile readOnly(path);
  if (!SystemRefusesWriting(path)) GTEST_SKIP() << "this system writes read-only files";
  EXPECT_FALSE(Write(u"Main", u"A", u"2"));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_EQ(Read(u"Main", u"A", u"-"), u"1");
}

class IniFileTest : public ::testing::Test {
 protected:
  CTempFolder folder;
  fs::path path = folder.Path() / "quillery.ini";
  TIniFile ini{path};
};

TEST_F(IniFileTest, ReadingAMissingFileGivesTheDefaultsAndCreatesNothing) {
  EXPECT_EQ(ini.ReadString("Main", "Name", "none"), "none");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 12), 12);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniFileTest, WrittenValuesAreReadBackAndStoredOneLinePerKey) {
  ini.WriteString("Main", "Name", "Caf\xE9 \x80");  // ANSI text
  ini.WriteInteger("Main", "Count", -40);
  EXPECT_EQ(ini.ReadString("Main", "Name", ""), "Caf\xE9 \x80");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), -40);
  EXPECT_EQ(FileBytes(path), "[Main]\r\nName=Caf\xE9 \x80\r\nCount=-40\r\n");
}

TEST_F(IniFileTest, AnIntegerReadGivesTheDefaultUnlessTheValueIsAnInteger) {
  PutFile(path, "[Main]\r\nEmpty=\r\nWord=twelve\r\nHex=0x10\r\nDollar=$10\r\nQuoted=\" 7 \"\r\n");
  EXPECT_EQ(ini.ReadInteger("Main", "Empty", 3), 3);
  EXPECT_EQ(ini.ReadInteger("Main", "Word", 3), 3);
  EXPECT_EQ(ini.ReadInteger("Main", "Hex", 3), 16);
  EXPECT_EQ(ini.ReadInteger("Main", "Dollar", 3), 16);
  EXPECT_EQ(ini.ReadInteger("Main", "Quoted", 3), 7);
}

TEST_F(IniFileTest, AVeryLongValueIsReadWhole) {
  ini.WriteString("Main", "Key", std::string(100000, 'h'));
  EXPECT_EQ(ini.ReadString("Main", "Key", ""), std::string(100000, 'h'));
}

TEST_F(IniFileTest, QuotedValuesAreReadWholeAtEveryLength) {
  // The system cuts a quoted value that fills the buffer one unit shorter than others;
  // these lengths cross the end of the first buffer.
  for (std::size_t length = 0; length <= 300; ++length) {
    const std::string value(length, 'v');
    ini.WriteString("Main", "Key", "'" + value + "'");
    ASSERT_EQ(ini.ReadString("Main", "Key", ""), value) << length;
  }
}

TEST_F(IniFileTest, AChangeByAnotherProgramIsSeenByTheNextRead) {
  ini.WriteInteger("Main", "Count", 5);
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 5);
  PutFile(path, "[Main]\r\nCount=7\r\n");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 7);
}

TEST_F(IniFileTest, ARefusedWriteThrowsAFileErrorNamingTheFile) {
  TIniFile lost(folder.Path() / "missing" / "quillery.ini");
  try {
    lost.WriteInteger("Main", "Count", 1);
    FAIL() << "no CFileError";
  } catch (const CFileError& error) {
    EXPECT_EQ(error.Path(), lost.FileName());
    EXPECT_EQ(error.what(), "Cannot write settings file " + Utf8(lost.FileName()));
  }
}

// ---- Text of any script ----

TEST_F(IniFileTest, AMissingKeyHasNoTextAndAnEmptyValueIsEmptyText) {
  EXPECT_FALSE(ini.ReadText("Privacy", "List"));
  PutFile(path, "[Privacy]\r\nList=\r\nBare\r\n");
  EXPECT_EQ(ini.ReadText("Privacy", "List"), u"");
  EXPECT_FALSE(ini.ReadText("Privacy", "Bare"));  // a line without '=' holds no value
  EXPECT_FALSE(ini.ReadText("Privacy", "Other"));
}

TEST_F(IniFileTest, TextThatFitsTheAnsiCodePageLeavesTheFileInIt) {
  ini.WriteInteger("Main", "Count", 1);
  ini.WriteText("Privacy", "List", u"Caf\u00E9.exe;KeePass.exe");
  EXPECT_EQ(ini.ReadText("Privacy", "List"), u"Caf\u00E9.exe;KeePass.exe");
  EXPECT_EQ(FileBytes(path), "[Main]\r\nCount=1\r\n[Privacy]\r\nList=Caf\xE9.exe;KeePass.exe\r\n");
}

TEST_F(IniFileTest, TextOfAnyScriptSurvivesAndTheOtherValuesStay) {
  ini.WriteString("Main", "Name", "Caf\xE9");
  ini.WriteInteger("Main", "Count", -40);
  const std::u16string names = u"Пароли.exe;密码.exe;κλειδί.exe;\U0001F511.exe";
  ini.WriteText("Privacy", "List", names);
  EXPECT_EQ(ini.ReadText("Privacy", "List"), names);
  EXPECT_EQ(ini.ReadString("Main", "Name", ""), "Caf\xE9");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), -40);
  // Later writes keep the file able to hold it.
  ini.WriteInteger("Main", "Count", 3);
  ini.WriteText("Privacy", "Other", u"Ключ.exe");
  EXPECT_EQ(TIniFile(path).ReadText("Privacy", "List"), names);
  EXPECT_EQ(ini.ReadText("Privacy", "Other"), u"Ключ.exe");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 3);
}

TEST_F(IniFileTest, TextOfAnyScriptCanBeTheFirstValueOfANewFile) {
  ini.WriteText("Privacy", "List", u"密码.exe");
  EXPECT_EQ(ini.ReadText("Privacy", "List"), u"密码.exe");
  ini.WriteInteger("Main", "Count", 2);
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), 2);
}

TEST_F(IniFileTest, BlanksAtTheEndsQuotesAndLineBreaksComeBackAsWritten) {
  for (const std::u16string value : {u" a.exe ", u"'b.exe'", u"\"c\"", u"\t", u"\"", u"'"}) {
    ini.WriteText("Privacy", "List", value);
    EXPECT_EQ(ini.ReadText("Privacy", "List"), value);
  }
  ini.WriteText("Privacy", "List", u"a.exe\r\nInjected=1");
  EXPECT_EQ(ini.ReadText("Privacy", "List"), u"a.exe  Injected=1");
  EXPECT_FALSE(ini.ReadText("Privacy", "Injected"));
}

TEST_F(IniFileTest, ARefusedTextWriteThrowsAFileErrorAndCreatesNothing) {
  TIniFile lost(folder.Path() / "missing" / "quillery.ini");
  EXPECT_THROW(lost.WriteText("Privacy", "List", u"plain.exe"), CFileError);
  EXPECT_THROW(lost.WriteText("Privacy", "List", u"密码.exe"), CFileError);
  EXPECT_FALSE(fs::exists(folder.Path() / "missing"));
}

TEST(FileErrorTest, DamageIsReportedWithItsOffsetAndReason) {
  const CFileError damaged("Data file damaged", fs::path(), 1234, "record cut short");
  EXPECT_STREQ(damaged.what(), "Data file damaged at offset 1234: record cut short");
  EXPECT_EQ(damaged.Offset(), 1234u);
  const CFileError named("Data file damaged", fs::path("data.dat"), 8, "unknown kind 7");
  EXPECT_STREQ(named.what(), "Data file damaged at offset 8 of data.dat: unknown kind 7");
}

}  // namespace
