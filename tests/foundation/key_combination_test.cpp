// The key combination from the whole desktop's key state. Natively the model holds the
// keys; under Wine they are typed with SendInput, as another program would.

#include "foundation/key_combination.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/windows_api.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

// Holds keys down for its life; releases them in reverse order, also when a test fails.
class CHeldKeys {
 public:
  CHeldKeys(std::initializer_list<int> keys) {
    for (int key : keys) {
      Send(key, true);
      held_.push_back(key);
    }
  }
  ~CHeldKeys() {
    for (auto key = held_.rbegin(); key != held_.rend(); ++key) Send(*key, false);
  }
  CHeldKeys(const CHeldKeys&) = delete;
  CHeldKeys& operator=(const CHeldKeys&) = delete;

 private:
  static void Send(int key, bool down) {
#ifdef _WIN32
    INPUT input{};
    if (key == VK_LBUTTON) {
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    } else {
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = static_cast<WORD>(key);
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
      input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(1, &input, sizeof input);
#else
    sim::SetKeyDown(key, down);
#endif
  }

  std::vector<int> held_;
};

class KeyCombinationTest : public ::testing::Test {
 protected:
#ifndef _WIN32
  void SetUp() override {
    sim::Reset();
  }
#endif

  // Both readers must agree, the polled one being what the timer uses.
  static KeyCombination Read() {
    const KeyCombination scanned = ScanKeyCombination();
    EXPECT_EQ(ReadKeyCombination(), scanned);
    return scanned;
  }
};

TEST_F(KeyCombinationTest, NothingHeldIsZero) {
  EXPECT_EQ(Read(), 0);
}

TEST_F(KeyCombinationTest, OnlyCtrlAndAltGiveTheirBitsAlone) {
  CHeldKeys keys{VK_CONTROL, VK_MENU};
  EXPECT_EQ(Read(), 0xC000);
}

TEST_F(KeyCombinationTest, CtrlAltVIsTheDefaultSecondaryHotKey) {
  CHeldKeys keys{VK_CONTROL, VK_MENU, 'V'};
  EXPECT_EQ(Read(), 0xC056);
}

TEST_F(KeyCombinationTest, OfTwoKeysDownTheLowerCodeWins) {
  CHeldKeys keys{VK_CONTROL, 'B', 'A'};
  EXPECT_EQ(Read(), 0x4041);
}

TEST_F(KeyCombinationTest, RightShiftAloneIsOnlyTheShiftBit) {
  CHeldKeys keys{VK_RSHIFT};
  EXPECT_EQ(Read(), 0x2000);
}

TEST_F(KeyCombinationTest, ReleasedKeysAreSeenAtOnce) {
  {
    CHeldKeys keys{VK_SHIFT, 'Q'};
    EXPECT_EQ(Read(), 0x2051);
  }
  EXPECT_EQ(Read(), 0);
}

TEST_F(KeyCombinationTest, KeysAbove165AndBelow15AreScanned) {
  {
    CHeldKeys keys{186};  // the ';' key of a US keyboard
    EXPECT_EQ(Read(), 186);
  }
  CHeldKeys keys{VK_CONTROL, 8};  // Backspace
  EXPECT_EQ(Read(), 0x4008);
}

#ifndef _WIN32
// Mouse buttons cannot be pressed under Wine without moving the real pointer's state for
// every later program of the session; the model shows the rule.
TEST_F(KeyCombinationTest, AClickWithAModifierIsTheModifierAndButtonOne) {
  CHeldKeys keys{VK_LSHIFT, VK_LBUTTON};
  EXPECT_EQ(Read(), 0x2001);
}

// The key state holds the physical buttons. Set up for the left hand, the primary button,
// which "Ctrl + Mouse click" means, is the physical right one.
TEST_F(KeyCombinationTest, WithSwappedButtonsThePrimaryButtonIsButtonOne) {
  sim::SetMouseButtonsSwapped(true);
  {
    CHeldKeys keys{VK_CONTROL, VK_RBUTTON};
    EXPECT_EQ(Read(), 0x4001);
  }
  {
    CHeldKeys keys{VK_CONTROL, VK_LBUTTON};
    EXPECT_EQ(Read(), 0x4002);
  }
  CHeldKeys keys{VK_LBUTTON, VK_RBUTTON};  // both: the primary wins
  EXPECT_EQ(Read(), 0x0001);
}
#endif

}  // namespace
