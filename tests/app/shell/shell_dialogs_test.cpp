// The shell's small dialogs for real, under Wine: the hot key dialog, the about box and the
// update check, with the browser replaced by a recording opener.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/win32/about_box.h"
#include "app/shell/win32/hot_key_form.h"
#include "app/shell/update_check.h"
#include "foundation/day_count.h"
#include "foundation/question_box.h"
#include "foundation/settings_keys.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/environment_guard.h"
#include "tests/support/temp_settings.h"

namespace {

std::uint16_t ControlHotKey(HWND dialog) {
  return LOWORD(SendMessageW(Control(dialog, kIdHotKeyFormHotKey), HKM_GETHOTKEY, 0, 0));
}

TEST(HotKeyFormTest, TheControlRoundTripsCtrlAltV) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    EXPECT_EQ(Text(dialog), u"HotKey");
    EXPECT_EQ(ControlHotKey(dialog), 0x0656);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(RunHotKeyForm(nullptr, 0xC056), std::optional<KeyCombination>(0xC056));
}

TEST(HotKeyFormTest, AClipWithoutAHotKeyStartsEmptyAndOkGivesZero) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    EXPECT_EQ(ControlHotKey(dialog), 0);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(RunHotKeyForm(nullptr, 0), std::optional<KeyCombination>(0));
}

TEST(HotKeyFormTest, AValueSetInTheControlIsReturnedAsAKeyCombination) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    SendMessageW(Control(dialog, kIdHotKeyFormHotKey), HKM_SETHOTKEY, 0x0370, 0);  // Shift+Ctrl+F1
    Click(dialog, IDOK);
  });
  EXPECT_EQ(RunHotKeyForm(nullptr, 0xC056), std::optional<KeyCombination>(0x6070));
}

TEST(HotKeyFormTest, AKeyTypedAloneGetsAlt) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    HWND hotKey = Control(dialog, kIdHotKeyFormHotKey);
    SetFocus(hotKey);
    SendMessageW(hotKey, WM_KEYDOWN, 'K', 0x00250001);
    SendMessageW(hotKey, WM_KEYUP, 'K', static_cast<LPARAM>(0xC0250001));
    EXPECT_EQ(ControlHotKey(dialog), 0x044B);  // Alt+K
    Click(dialog, IDOK);
  });
  EXPECT_EQ(RunHotKeyForm(nullptr, 0), std::optional<KeyCombination>(0x804B));
}

TEST(HotKeyFormTest, CancelReturnsNothing) {
  CDialogScript script;
  script.Then([](HWND dialog) {
    SendMessageW(Control(dialog, kIdHotKeyFormHotKey), HKM_SETHOTKEY, 0x0641, 0);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(RunHotKeyForm(nullptr, 0xC056), std::nullopt);
}

class OpenedAddresses {
 public:
  OpenedAddresses()
      : previous_(SetUrlOpener([this](const char* verb, const std::string& address) {
          opened.emplace_back(verb != nullptr ? verb : "<default>", address);
        })) {}
  ~OpenedAddresses() { SetUrlOpener(std::move(previous_)); }

  std::vector<std::pair<std::string, std::string>> opened;

 private:
  UrlOpener previous_;
};

TEST(AboutBoxTest, ShowsTheProductAndOpensBothSites) {
  OpenedAddresses browser;
  CDialogScript script;
  script.Then([](HWND dialog) {
    EXPECT_EQ(Text(dialog), u"About");
    EXPECT_EQ(Text(Control(dialog, kIdAboutProductName)), u"Quillery Pro 2.3");
    HWND product = Control(dialog, kIdAboutProductUrl);
    HWND company = Control(dialog, kIdAboutCompanyUrl);
    EXPECT_EQ(Text(product), u"https://quillery.example.com/");
    EXPECT_EQ(Text(company), u"https://www.example.com/");
    for (HWND link : {product, company}) {
      SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    Click(dialog, IDOK);
  });
  ShowAboutBox(nullptr);
  EXPECT_EQ(script.Pending(), 0u);
  ASSERT_EQ(browser.opened.size(), 2u);
  EXPECT_EQ(browser.opened[0],
            std::make_pair(std::string("<default>"), std::string("https://quillery.example.com/")));
  EXPECT_EQ(browser.opened[1],
            std::make_pair(std::string("open"), std::string("https://www.example.com/")));
}

class UpdateCheckWineTest : public ::testing::Test {
 protected:
  ~UpdateCheckWineTest() override { SetQuestionBoxHandler(nullptr); }

  CTempSettings settings;
  OpenedAddresses browser;
};

TEST_F(UpdateCheckWineTest, YesOpensTheUpdatePageWithTheU3Platform) {
  CEnvironmentGuard u3("U3_DEVICE_SERIAL", "12345");
  int storedWhenAsked = -1;
  SetQuestionBoxHandler([&](std::u16string_view) {
    storedWhenAsked = settings.store.GetInt(Settings::kLastUpdatesCheck, -1);
    return true;
  });
  CheckForUpdates(nullptr, settings.store);
  EXPECT_EQ(storedWhenAsked, static_cast<int>(CurrentDayCount()));
  ASSERT_EQ(browser.opened.size(), 1u);
  EXPECT_EQ(browser.opened[0].first, "open");
  EXPECT_EQ(browser.opened[0].second,
            "https://quillery.example.com/update.php?product=pro&platform=u3&version=2.3&s=1");
}

TEST_F(UpdateCheckWineTest, NoOpensNothingAndStillStoresToday) {
  SetQuestionBoxHandler([](std::u16string_view) { return false; });
  CheckForUpdates(nullptr, settings.store);
  EXPECT_TRUE(browser.opened.empty());
  EXPECT_EQ(settings.store.GetInt(Settings::kLastUpdatesCheck, -1),
            static_cast<int>(CurrentDayCount()));
}

}  // namespace
