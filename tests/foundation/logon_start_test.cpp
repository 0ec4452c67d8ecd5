// The logon start, natively against the model and under Wine against the registry of the
// build tree's prefix, whose Run value is put back afterwards.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/logon_start.h"
#include "platform/windows_api.h"
#include "tests/support/log_capture.h"
#include "tests/support/logon_start_guard.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

using ::testing::HasSubstr;

constexpr char16_t kProgram[] = u"C:\\Users\\Ann\\AppData\\Local\\Programs\\Quillery\\quillery.exe";

TEST(LogonStartCommandTest, QuotesThePath) {
  EXPECT_EQ(LogonStartCommand(u"C:\\Q Q\\quillery.exe"), u"\"C:\\Q Q\\quillery.exe\"");
}

TEST(LogonStartCommandTest, RecognisesItsProgramQuotedOrNot) {
  const std::u16string program = kProgram;
  EXPECT_TRUE(CommandStartsProgram(LogonStartCommand(program), program));
  EXPECT_TRUE(CommandStartsProgram(u"  \"" + program + u"\" /minimized", program));
  EXPECT_TRUE(CommandStartsProgram(program, program));
  EXPECT_TRUE(CommandStartsProgram(program + u" /minimized", program));
  // Letter case and the spelling of separators do not count in a Windows path.
  EXPECT_TRUE(CommandStartsProgram(u"\"c:/users/ann/appdata/local/programs/quillery/QUILLERY.EXE\"",
                                   program));
}

TEST(LogonStartCommandTest, RefusesAnotherProgram) {
  const std::u16string program = kProgram;
  EXPECT_FALSE(CommandStartsProgram(u"\"D:\\Portable\\Quillery\\quillery.exe\"", program));
  EXPECT_FALSE(CommandStartsProgram(program + u"2", program));
  EXPECT_FALSE(CommandStartsProgram(u"\"" + program + u"2\"", program));
  EXPECT_FALSE(CommandStartsProgram(u"\"" + program, program));  // quote never closed
  EXPECT_FALSE(CommandStartsProgram(u"", program));
  EXPECT_FALSE(CommandStartsProgram(u"\"\"", u""));
}

class LogonStartTest : public ::testing::Test {
 protected:
  LogonStartTest() {
#ifndef _WIN32
    sim::Reset();
#endif
    guard_.emplace();
  }
  ~LogonStartTest() override {
    guard_.reset();
  }

  const CLogonStart start{kProgram};

 private:
  std::optional<CLogonStartGuard> guard_;
};

TEST_F(LogonStartTest, SwitchingOnWritesTheQuotedPathAndOffRemovesIt) {
  EXPECT_FALSE(start.IsOn());
  ASSERT_TRUE(start.Set(true));
  EXPECT_EQ(LogonStartValue(), LogonStartCommand(kProgram));
  EXPECT_TRUE(start.IsOn());
  ASSERT_TRUE(start.Set(false));
  EXPECT_EQ(LogonStartValue(), std::nullopt);
  EXPECT_FALSE(start.IsOn());
}

TEST_F(LogonStartTest, AValueThatStartsAnotherCopyIsOffHereAndSurvivesSwitchingOff) {
  const std::u16string other = u"\"D:\\Portable\\Quillery\\quillery.exe\"";
  PutLogonStartValue(other);
  EXPECT_FALSE(start.IsOn());
  ASSERT_TRUE(start.Set(false));
  EXPECT_EQ(LogonStartValue(), other);
  // Switched on here, the logon start moves to this copy.
  ASSERT_TRUE(start.Set(true));
  EXPECT_EQ(LogonStartValue(), LogonStartCommand(kProgram));
}

TEST_F(LogonStartTest, TheInstallersValueWithArgumentsCountsAsOn) {
  PutLogonStartValue(LogonStartCommand(kProgram) + u" /minimized");
  EXPECT_TRUE(start.IsOn());
}

TEST_F(LogonStartTest, ANumberWhereTheCommandBelongsIsOffAndLogged) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.OpenKey(kRunKeyPath, true);
  registry.WriteInteger(kRunValueName, 1);
  const CLogCapture log;
  EXPECT_FALSE(start.IsOn());
  EXPECT_THAT(log.Text(), HasSubstr("[LogonStart] Invalid data type"));
  // Switching on replaces it.
  ASSERT_TRUE(start.Set(true));
  EXPECT_TRUE(start.IsOn());
}

TEST_F(LogonStartTest, TheRunningProgramIsThisTestProgram) {
  const CLogonStart running = CLogonStart::ForRunningProgram();
  ASSERT_FALSE(running.ExePath().empty());
  ASSERT_TRUE(running.Set(true));
  EXPECT_TRUE(running.IsOn());
  EXPECT_FALSE(start.IsOn());
}

#ifndef _WIN32
TEST_F(LogonStartTest, ARefusedWriteIsReportedAndLogged) {
  const CLogCapture log;
  sim::FailNextRegistryCall("RegSetValueExW");
  EXPECT_FALSE(start.Set(true));
  EXPECT_THAT(log.Text(), HasSubstr("[LogonStart] Failed to set data"));
  EXPECT_FALSE(start.IsOn());

  ASSERT_TRUE(start.Set(true));
  sim::FailNextRegistryCall("RegDeleteValueW");
  EXPECT_FALSE(start.Set(false));
  EXPECT_TRUE(start.IsOn());
}
#endif

}  // namespace
