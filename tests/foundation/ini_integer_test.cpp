#include <gtest/gtest.h>

#include <climits>

#include "foundation/ini_integer.h"

namespace {

TEST(IniIntegerTest, ReadsDecimalWithSignAndSurroundingBlanks) {
  EXPECT_EQ(ParseIniInteger("7"), 7);
  EXPECT_EQ(ParseIniInteger(" \t-12\t "), -12);
  EXPECT_EQ(ParseIniInteger("+0042"), 42);
  EXPECT_EQ(ParseIniInteger("2147483647"), INT_MAX);
  EXPECT_EQ(ParseIniInteger("-2147483648"), INT_MIN);
}

TEST(IniIntegerTest, ReadsHexadecimalAfterDollarOrZeroX) {
  EXPECT_EQ(ParseIniInteger("$10"), 16);
  EXPECT_EQ(ParseIniInteger("0x10"), 16);
  EXPECT_EQ(ParseIniInteger("0XaF"), 175);
  EXPECT_EQ(ParseIniInteger("-$10"), -16);
  EXPECT_EQ(ParseIniInteger("$000000010"), 16);
}

TEST(IniIntegerTest, HexadecimalAboveTheSignedRangeWrapsToNegative) {
  EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("0x80000000"), INT_MIN);
  EXPECT_EQ(ParseIniInteger("$7FFFFFFF"), INT_MAX);
}

TEST(IniIntegerTest, RejectsEverythingElse) {
  for (const char* text :
       {"", " ", "-", "+", "$", "0x", "x10", "12a", "1 2", "- 1", "1.5", "2147483648",
        "-2147483649", "99999999999", "$100000000", "$1G", "--1", "0x-1"}) {
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << '"' << text << '"';
  }
}

}  // namespace
