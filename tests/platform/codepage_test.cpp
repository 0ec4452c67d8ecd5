// Conversions between UTF-16 and the ANSI (1252), OEM (437) and UTF-8 code pages. The same
// tests run natively against the model and under Wine against the system, which keeps the
// model honest.

#include <gtest/gtest.h>

#include <string>

#include "platform/windows_api.h"

namespace {

// Converts with the given code page into a string sized by a first query call.
std::string Narrow(UINT codePage, const std::u16string& text, BOOL* usedDefault = nullptr,
                   const char* defaultChar = nullptr) {
  const int size = WideCharToMultiByte(codePage, 0, AsWide(text.data()), int(text.size()), nullptr,
                                       0, defaultChar, usedDefault);
  std::string out(size, '\0');
  const int written = WideCharToMultiByte(codePage, 0, AsWide(text.data()), int(text.size()),
                                          out.data(), size, defaultChar, usedDefault);
  EXPECT_EQ(written, size);
  return out;
}

std::u16string Wide(UINT codePage, const std::string& text) {
  const int size = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::u16string out(size, u'\0');
  const int written =
      MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), AsWide(out.data()), size);
  EXPECT_EQ(written, size);
  return out;
}

#ifdef _WIN32
bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#else
bool RunningUnderWine() {
  return false;
}
#endif

}  // namespace

class CodePageAnsi : public ::testing::Test {};

TEST_F(CodePageAnsi, SystemUsesWesternCodePages) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
}

TEST_F(CodePageAnsi, AsciiRoundTripsUnchanged) {
  const std::string ascii = "Hello, World! ~{}[]\t\r\n0123";
  EXPECT_EQ(Narrow(CP_ACP, Wide(CP_ACP, ascii)), ascii);
  EXPECT_EQ(Wide(CP_ACP, ascii), u"Hello, World! ~{}[]\t\r\n0123");
}

TEST_F(CodePageAnsi, WindowsSpecialsUseTheirOwnBytes) {
  BOOL usedDefault = TRUE;
  EXPECT_EQ(Narrow(1252, u"€Œ™‚„…†‡ˆ‰Š‹Ž‘’“”•–—˜š›œžŸ", &usedDefault),
            "\x80\x8C\x99\x82\x84\x85\x86\x87\x88\x89\x8A\x8B\x8E\x91\x92\x93\x94\x95\x96\x97"
            "\x98\x9A\x9B\x9C\x9E\x9F");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(Wide(CP_ACP, "\x80\x8C\x99\x9F"), u"€Œ™Ÿ");
}

TEST_F(CodePageAnsi, LatinOneRangeMapsToItself) {
  EXPECT_EQ(Wide(CP_ACP, "\xA0\xC9\xE9\xFF"), u"\u00A0Éé\u00FF");
  EXPECT_EQ(Narrow(CP_ACP, u"£é×ÿ"), "\xA3\xE9\xD7\xFF");
}

TEST_F(CodePageAnsi, UndefinedBytesBecomeControlCharactersAndBack) {
  const std::u16string controls = Wide(CP_ACP, "\x81\x8D\x8F\x90\x9D");
  EXPECT_EQ(controls, u"\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(Narrow(CP_ACP, controls), "\x81\x8D\x8F\x90\x9D");
}

TEST_F(CodePageAnsi, MissingCharactersBecomeQuestionMarks) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(Narrow(CP_ACP, u"Жx中", &usedDefault), "?x?");
  EXPECT_TRUE(usedDefault);
}

TEST_F(CodePageAnsi, SurrogatePairBecomesTwoDefaultChars) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(Narrow(CP_ACP, u"a\U0001F600", &usedDefault), "a??");
  EXPECT_TRUE(usedDefault);
}

TEST_F(CodePageAnsi, GivenDefaultCharReplacesMissingCharacters) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(Narrow(CP_ACP, u"Жx", &usedDefault, "#"), "#x");
  EXPECT_TRUE(usedDefault);
}

class CodePageOem : public ::testing::Test {};

TEST_F(CodePageOem, AccentedLettersUseTheDosPositions) {
  EXPECT_EQ(Narrow(CP_OEMCP, u"éüÄñÇß"), "\x82\x81\x8E\xA4\x80\xE1");
  EXPECT_EQ(Wide(437, "\x82\x81\x8E\xA4\x80\xE1"), u"éüÄñÇß");
}

TEST_F(CodePageOem, BoxDrawingCharactersRoundTrip) {
  const std::u16string box = u"┌─┐│└┘═║╬░▓█";
  EXPECT_EQ(Narrow(CP_OEMCP, box), "\xDA\xC4\xBF\xB3\xC0\xD9\xCD\xBA\xCE\xB0\xB2\xDB");
  EXPECT_EQ(Wide(CP_OEMCP, Narrow(CP_OEMCP, box)), box);
}

TEST_F(CodePageOem, LowerHalfIsAsciiNotGlyphs) {
  EXPECT_EQ(Wide(CP_OEMCP, std::string("\x01\x1F\x7F", 3)), u"\u0001\u001F\u007F");
}

TEST_F(CodePageOem, CharactersOfAnsiOnlyBecomeQuestionMarks) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(Narrow(CP_OEMCP, u"€é", &usedDefault), "?\x82");
  EXPECT_TRUE(usedDefault);
}

class CodePageUtf8 : public ::testing::Test {};

TEST_F(CodePageUtf8, SurrogatePairBecomesFourBytes) {
  EXPECT_EQ(Narrow(CP_UTF8, u"a\U0001F600é€"), "a\xF0\x9F\x98\x80\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(Wide(CP_UTF8, "a\xF0\x9F\x98\x80\xC3\xA9\xE2\x82\xAC"), u"a\U0001F600é€");
}

TEST_F(CodePageUtf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone = {u'a', char16_t(0xD83D), u'b', char16_t(0xDC00)};
  EXPECT_EQ(Narrow(CP_UTF8, lone),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST_F(CodePageUtf8, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Wide(CP_UTF8,
                 "a\x80"
                 "b\xFF"
                 "c"),
            u"a\uFFFDb\uFFFDc");
  EXPECT_EQ(Wide(CP_UTF8, "\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/'
}

TEST_F(CodePageUtf8, OutOfRangeSequencesTakeTheirFirstContinuationByte) {
  EXPECT_EQ(Wide(CP_UTF8, "\xED\xA0\x80"), u"\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Wide(CP_UTF8,
                 "\xE0\x80\x80"
                 "a"),
            u"\uFFFD\uFFFDa");  // overlong
  EXPECT_EQ(Wide(CP_UTF8, "\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD");
}

TEST_F(CodePageUtf8, SequenceCutShortByTheLengthBecomesOneReplacement) {
  WCHAR wide[8];
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab\xE2\x82\xAC", 4, wide, 8), 3);
  EXPECT_EQ(std::u16string(AsUtf16(wide), 3), u"ab\uFFFD");
  EXPECT_EQ(Wide(CP_UTF8, "\xF0\x9F\x98"), u"\uFFFD");
}

TEST_F(CodePageUtf8, StrictConversionRefusesInvalidInput) {
  WCHAR wide[8];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, wide, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST_F(CodePageUtf8, DefaultCharArgumentsAreRefused) {
  if (RunningUnderWine()) GTEST_SKIP() << "Wine accepts them; Windows does not";
  char out[8];
  BOOL usedDefault = FALSE;
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, AsWide(u"a"), 1, out, 8, nullptr, &usedDefault), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, AsWide(u"a"), 1, out, 8, "?", nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// Lengths, size queries and buffers, the same for every code page.
class CodePageBuffers : public ::testing::TestWithParam<UINT> {};

TEST_P(CodePageBuffers, SizeQueryCountsWithoutWriting) {
  EXPECT_EQ(WideCharToMultiByte(GetParam(), 0, AsWide(u"abc"), 3, nullptr, 0, nullptr, nullptr), 3);
  EXPECT_EQ(MultiByteToWideChar(GetParam(), 0, "abcd", 4, nullptr, 0), 4);
}

TEST_P(CodePageBuffers, MinusOneLengthConvertsAndCountsTheNul) {
  char narrow[8] = "xxxxxxx";
  EXPECT_EQ(WideCharToMultiByte(GetParam(), 0, AsWide(u"ab"), -1, narrow, 8, nullptr, nullptr), 3);
  EXPECT_STREQ(narrow, "ab");
  WCHAR wide[8] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(MultiByteToWideChar(GetParam(), 0, "abc", -1, wide, 8), 4);
  EXPECT_EQ(std::u16string(AsUtf16(wide)), u"abc");
}

TEST_P(CodePageBuffers, MinusOneLengthStopsAtTheFirstNul) {
  EXPECT_EQ(MultiByteToWideChar(GetParam(), 0, "ab\0cd", -1, nullptr, 0), 3);
  EXPECT_EQ(WideCharToMultiByte(GetParam(), 0, AsWide(u"ab\0cd"), -1, nullptr, 0, nullptr, nullptr),
            3);
}

TEST_P(CodePageBuffers, TooSmallBufferFailsWithInsufficientBuffer) {
  char narrow[8];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(GetParam(), 0, AsWide(u"abcd"), -1, narrow, 4, nullptr, nullptr),
            0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  WCHAR wide[8];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(GetParam(), 0, "abcd", 4, wide, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST_P(CodePageBuffers, ZeroLengthInputIsInvalid) {
  WCHAR wide[4];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(GetParam(), 0, "a", 0, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  char narrow[4];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(GetParam(), 0, AsWide(u"a"), 0, narrow, 4, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

INSTANTIATE_TEST_SUITE_P(AllPages, CodePageBuffers,
                         ::testing::Values(CP_ACP, CP_OEMCP, 1252u, 437u, CP_UTF8));

class CodePageBufferEdges : public ::testing::Test {};

TEST_F(CodePageBufferEdges, MultiByteCharacterIsNotSplitAcrossTheEnd) {
  char narrow[4] = "xxx";
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, AsWide(u"a€"), 2, narrow, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(narrow, 3), "axx");
}

TEST_F(CodePageBufferEdges, UnknownCodePageIsInvalid) {
  WCHAR wide[4];
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", 1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(CodePageBufferEdges, SuccessLeavesTheLastErrorAlone) {
  WCHAR wide[4];
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 1, wide, 4), 1);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}
