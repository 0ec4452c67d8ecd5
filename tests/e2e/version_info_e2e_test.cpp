// quillery.exe's file properties: the version resource carries the one version that the
// about box and the update check show, and the product's texts.

#include <gtest/gtest.h>

#include <string>

#include "app/shell/product_info.h"
#include "tests/e2e/file_version.h"
#include "tests/e2e/program_installation.h"

namespace {

std::u16string Wide(const char* text) {
  const std::string narrow(text);
  return {narrow.begin(), narrow.end()};
}

TEST(VersionInfoTest, TheProgramCarriesTheVersionOfTheAboutBoxAndItsNames) {
  const auto program = ProgramUnderTest();
  EXPECT_EQ(FileVersionText(program, L"ProductVersion"), Wide(kVersionText));
  EXPECT_EQ(FileVersionText(program, L"FileVersion"), Wide(kVersionText));
  EXPECT_EQ(FileVersionText(program, L"ProductName"), Wide(kProductTitle));
  EXPECT_EQ(FileVersionText(program, L"CompanyName"), Wide(kPublisherName));
  EXPECT_EQ(FileVersionText(program, L"LegalCopyright"), Wide(kCopyrightText));
  EXPECT_EQ(FileVersionText(program, L"FileDescription"), Wide(kFileDescription));
  EXPECT_EQ(FileVersionText(program, L"OriginalFilename"), u"quillery.exe");
}

TEST(VersionInfoTest, TheNumericVersionIsTheTextsNumbers) {
  const auto numbers = FileVersionNumbers(ProgramUnderTest());
  ASSERT_TRUE(numbers);
  std::string text = std::to_string((*numbers)[0]) + "." + std::to_string((*numbers)[1]);
  if ((*numbers)[2] != 0 || (*numbers)[3] != 0) text += "." + std::to_string((*numbers)[2]);
  if ((*numbers)[3] != 0) text += "." + std::to_string((*numbers)[3]);
  EXPECT_EQ(text, kVersionText);
}

}  // namespace
