// Runs natively against the model (the process's environment) and under Wine against the
// system.

#include "foundation/environment.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/environment_guard.h"

namespace {

constexpr const char* kName = "QUILLERY_TEST_VARIABLE";

TEST(EnvironmentTest, AVariableReadsAsItsValue) {
  CEnvironmentGuard set(kName, "C:\\Portable Drive\\Data");
  EXPECT_EQ(ReadEnvironmentVariable(kName), "C:\\Portable Drive\\Data");
}

TEST(EnvironmentTest, AMissingVariableReadsEmpty) {
  CEnvironmentGuard unset(kName, nullptr);
  EXPECT_EQ(ReadEnvironmentVariable(kName), "");
}

TEST(EnvironmentTest, ValuesUpTo4095CharactersFitAndLongerOnesReadEmpty) {
  const std::string longest(4095, 'x');
  {
    CEnvironmentGuard set(kName, longest.c_str());
    EXPECT_EQ(ReadEnvironmentVariable(kName), longest);
  }
  {
    CEnvironmentGuard set(kName, std::string(4096, 'x').c_str());
    EXPECT_EQ(ReadEnvironmentVariable(kName), "");
  }
  {
    CEnvironmentGuard set(kName, std::string(10000, 'x').c_str());
    EXPECT_EQ(ReadEnvironmentVariable(kName), "");
  }
}

TEST(EnvironmentTest, AnEmptyNameReadsEmpty) {
  EXPECT_EQ(ReadEnvironmentVariable(), "");
  EXPECT_EQ(ReadEnvironmentVariable(std::string_view("\0PATH", 5)), "");
}

}  // namespace
