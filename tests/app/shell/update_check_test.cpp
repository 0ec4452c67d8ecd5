// The update check's request and its order of steps, and the about box's texts.

#include "app/shell/update_check.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/shell/about_text.h"
#include "foundation/day_count.h"
#include "foundation/question_box.h"
#include "foundation/settings_keys.h"
#include "tests/support/environment_guard.h"
#include "tests/support/temp_settings.h"

namespace {

constexpr char kPlain[] = "https://quillery.example.com/update.php?product=pro&version=2.3&s=1";
constexpr char kU3[] =
    "https://quillery.example.com/update.php?product=pro&platform=u3&version=2.3&s=1";

TEST(UpdateAddressTest, WithoutAU3SerialTheRequestHasNoPlatform) {
  EXPECT_EQ(UpdateAddress(""), kPlain);
}

TEST(UpdateAddressTest, AnyU3SerialPutsThePlatformBetweenProductAndVersion) {
  EXPECT_EQ(UpdateAddress("1234-ABCD"), kU3);
  EXPECT_EQ(UpdateAddress("x"), kU3);
}

TEST(UpdateAddressTest, TheProcessEnvironmentDecides) {
  {
    CEnvironmentGuard unset("U3_DEVICE_SERIAL", nullptr);
    EXPECT_EQ(CurrentUpdateAddress(), kPlain);
  }
  {
    CEnvironmentGuard set("U3_DEVICE_SERIAL", "0815");
    EXPECT_EQ(CurrentUpdateAddress(), kU3);
  }
  {
    CEnvironmentGuard empty("U3_DEVICE_SERIAL", "");
    EXPECT_EQ(CurrentUpdateAddress(), kPlain);
  }
}

TEST(UpdateAddressTest, ASerialOf4096CharactersCountsAsEmpty) {
  const std::string huge(4096, 'S');
  CEnvironmentGuard set("U3_DEVICE_SERIAL", huge.c_str());
  EXPECT_EQ(CurrentUpdateAddress(), kPlain);
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  ~UpdateCheckTest() override { SetQuestionBoxHandler(nullptr); }

  int StoredDay() const { return settings.store.GetInt(Settings::kLastUpdatesCheck, -1); }

  CTempSettings settings;
  CEnvironmentGuard noU3{"U3_DEVICE_SERIAL", nullptr};
  std::vector<std::pair<std::string, std::string>> opened;
  UrlOpener opener = [this](const char* verb, const std::string& address) {
    opened.emplace_back(verb != nullptr ? verb : "<none>", address);
  };
};

TEST_F(UpdateCheckTest, TodayIsStoredBeforeTheQuestionIsAsked) {
  const int today = static_cast<int>(CurrentDayCount());
  int storedWhenAsked = -1;
  std::u16string question;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    storedWhenAsked = StoredDay();
    question = text;
    return false;
  });
  RunUpdateCheck(nullptr, settings.store, opener);
  EXPECT_EQ(storedWhenAsked, today);
  EXPECT_EQ(question, u"Check for New Version? (Internet connection required)");
}

TEST_F(UpdateCheckTest, NoOpensNothingButStillStoresToday) {
  SetQuestionBoxHandler([](std::u16string_view) { return false; });
  RunUpdateCheck(nullptr, settings.store, opener);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(StoredDay(), static_cast<int>(CurrentDayCount()));
}

TEST_F(UpdateCheckTest, YesOpensTheUpdatePageWithOpen) {
  SetQuestionBoxHandler([](std::u16string_view) { return true; });
  RunUpdateCheck(nullptr, settings.store, opener);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].first, "open");
  EXPECT_EQ(opened[0].second, kPlain);
}

TEST_F(UpdateCheckTest, YesFromAU3DriveOpensTheU3Request) {
  CEnvironmentGuard u3("U3_DEVICE_SERIAL", "ABC");
  SetQuestionBoxHandler([](std::u16string_view) { return true; });
  RunUpdateCheck(nullptr, settings.store, opener);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].second, kU3);
}

TEST(AboutTextTest, TheProductNameCarriesTheVersion) {
  EXPECT_EQ(AboutProductName(), u"Quillery Pro 2.3");
}

TEST(AboutTextTest, TheProductSiteOpensWithTheDefaultVerbTheMakersWithOpen) {
  EXPECT_STREQ(AboutProductLink().address, "https://quillery.example.com/");
  EXPECT_EQ(AboutProductLink().verb, nullptr);
  EXPECT_STREQ(AboutCompanyLink().address, "https://www.example.com/");
  EXPECT_STREQ(AboutCompanyLink().verb, "open");
}

}  // namespace
