#include "foundation/log.h"

#include <gtest/gtest.h>

#include "tests/support/log_capture.h"

namespace {

TEST(LogTest, EachLevelHasItsColourAndTheTextGoesUnescapedWithoutLineBreaks) {
  CLogCapture log;
  LogWrite(0, "zero");
  LogInfo("a < b & c");
  LogWrite(2, "two");
  LogError("bad");
  EXPECT_EQ(log.Text(),
            "<font color=\"#8f8f8f\"><b>zero</b></font><br>"
            "<font color=\"#4f4f4f\"><b>a < b & c</b></font><br>"
            "<font color=\"#ffff00\"><b>two</b></font><br>"
            "<font color=\"#ff0000\"><b>bad</b></font><br>");
}

TEST(LogTest, LevelsOutOfRangeAreWhite) {
  CLogCapture log;
  LogWrite(7, "seven");
  LogWrite(255, "");
  EXPECT_EQ(log.Text(),
            "<font color=\"#ffffff\"><b>seven</b></font><br>"
            "<font color=\"#ffffff\"><b></b></font><br>");
}

TEST(LogTest, AnEmptyErrorIsAnEmptyMessage) {
  CLogCapture log;
  LogError("");
  EXPECT_EQ(log.Text(), "<font color=\"#ff0000\"><b></b></font><br>");
}

TEST(LogTest, WithoutAStreamNothingIsWrittenAnywhere) {
  std::string before;
  {
    CLogCapture log;
    LogInfo("kept");
    before = log.Text();
  }
  LogInfo("lost");  // detached: must neither write nor fail
  CLogCapture after;
  EXPECT_EQ(before, "<font color=\"#4f4f4f\"><b>kept</b></font><br>");
  EXPECT_EQ(after.Text(), "");
}

}  // namespace
