// The paste keystroke typed while the user holds modifiers: which events, in which order,
// and what the target sees of them.

#include "app/paste/paste_keystrokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/windows_api.h"

namespace {

KeyStroke Down(int key, bool extended = false) {
  return {static_cast<std::uint8_t>(key), false, extended};
}
KeyStroke Up(int key, bool extended = false) {
  return {static_cast<std::uint8_t>(key), true, extended};
}

std::set<int> SidesOf(ModifierKeys held) {
  const std::pair<ModifierKeys, int> sides[] = {
      {kLeftShiftKey, VK_LSHIFT},   {kRightShiftKey, VK_RSHIFT}, {kLeftCtrlKey, VK_LCONTROL},
      {kRightCtrlKey, VK_RCONTROL}, {kLeftAltKey, VK_LMENU},     {kRightAltKey, VK_RMENU}};
  std::set<int> keys;
  for (const auto& [bit, key] : sides) {
    if (held & bit) keys.insert(key);
  }
  return keys;
}

bool IsAlt(int key) {
  return key == VK_LMENU || key == VK_RMENU;
}
bool IsCtrl(int key) {
  return key == VK_LCONTROL || key == VK_RCONTROL;
}
bool IsShift(int key) {
  return key == VK_LSHIFT || key == VK_RSHIFT;
}

// What the program in front makes of the events, as Windows judges a lone Alt: the menu bar
// opens when an Alt goes up (the last one held) with no key pressed since it went down. The
// user's own Alt counts as pressed with nothing since, the worst case (a mouse click is no
// key), and so does an Alt left down at the end, which the user will release.
struct CTargetView {
  explicit CTargetView(ModifierKeys held) : down(SidesOf(held)) {
    menuArmed = std::any_of(down.begin(), down.end(), IsAlt);
  }

  void Take(const KeyStroke& stroke, int chordKey, bool (*chordModifier)(int)) {
    const int key = stroke.virtualKey;
    if (!stroke.up) {
      if (down.count(key) != 0) faults.push_back("pressed while down: " + std::to_string(key));
      const bool altAlreadyDown = std::any_of(down.begin(), down.end(), IsAlt);
      menuArmed = IsAlt(key) && !altAlreadyDown;
      if (key == chordKey) {
        ++chords;
        bool modifierHeld = false;
        for (int held : down) {
          if (chordModifier(held)) {
            modifierHeld = true;
          } else if (IsAlt(held) || IsCtrl(held) || IsShift(held)) {
            faults.push_back("chord with another modifier: " + std::to_string(held));
          }
        }
        if (!modifierHeld) faults.push_back("chord without its modifier");
      }
      down.insert(key);
      return;
    }
    if (down.erase(key) == 0) faults.push_back("released while up: " + std::to_string(key));
    if (IsAlt(key) && menuArmed && std::none_of(down.begin(), down.end(), IsAlt)) ++menuOpenings;
    if (IsAlt(key)) menuArmed = false;
  }

  void End() {
    if (menuArmed && std::any_of(down.begin(), down.end(), IsAlt)) ++menuOpenings;
  }

  std::set<int> down;
  bool menuArmed = false;
  int chords = 0;
  int menuOpenings = 0;
  std::vector<std::string> faults;
};

struct ChordCase {
  EPasteChord chord;
  int key;
  bool (*modifier)(int);
};

TEST(PasteKeystrokesTest, ForEveryHeldModifierSetTheTargetSeesOneCleanChordAndNoMenu) {
  const ChordCase chords[] = {{EPasteChord::kCtrlV, 'V', IsCtrl},
                              {EPasteChord::kShiftInsert, VK_INSERT, IsShift}};
  for (const ChordCase& chord : chords) {
    for (int held = 0; held <= kAllModifierKeys; ++held) {
      const auto modifiers = static_cast<ModifierKeys>(held);
      CTargetView view(modifiers);
      for (const KeyStroke& stroke : PasteKeystrokes(modifiers, chord.chord)) {
        view.Take(stroke, chord.key, chord.modifier);
      }
      view.End();
      SCOPED_TRACE("held " + std::to_string(held) + ", chord key " + std::to_string(chord.key));
      EXPECT_EQ(view.chords, 1);
      EXPECT_EQ(view.menuOpenings, 0);
      EXPECT_EQ(view.faults, std::vector<std::string>{});
      EXPECT_EQ(view.down, SidesOf(modifiers));  // as the user holds them
    }
  }
}

// The system may take only the first events of a batch (it blocks input meant for an
// elevated program, or the desktop switches): what it took is undone, to the user's keys.
TEST(PasteKeystrokesTest, AnyCutSequenceIsUndoneToTheUsersKeysWithoutAMenu) {
  const ChordCase chords[] = {{EPasteChord::kCtrlV, 'V', IsCtrl},
                              {EPasteChord::kShiftInsert, VK_INSERT, IsShift}};
  for (const ChordCase& chord : chords) {
    for (int held = 0; held <= kAllModifierKeys; ++held) {
      const auto modifiers = static_cast<ModifierKeys>(held);
      const std::vector<KeyStroke> strokes = PasteKeystrokes(modifiers, chord.chord);
      for (std::size_t taken = 0; taken <= strokes.size(); ++taken) {
        std::vector<KeyStroke> sent(strokes.begin(), strokes.begin() + taken);
        const std::vector<KeyStroke> undo = UndoKeystrokes(sent);
        sent.insert(sent.end(), undo.begin(), undo.end());
        CTargetView view(modifiers);
        for (const KeyStroke& stroke : sent) view.Take(stroke, chord.key, chord.modifier);
        view.End();
        SCOPED_TRACE("held " + std::to_string(held) + ", taken " + std::to_string(taken));
        // With nothing taken the user's own Alt is as the user left it.
        EXPECT_TRUE(taken == 0 || view.menuOpenings == 0);
        EXPECT_EQ(view.faults, std::vector<std::string>{});
        EXPECT_EQ(view.down, SidesOf(modifiers));
        if (taken == strokes.size()) {
          EXPECT_EQ(undo, std::vector<KeyStroke>{});
        }
      }
    }
  }
}

TEST(PasteKeystrokesTest, UndoReleasesWhatWasPressedThenPressesTheUsersAltAgainMasked) {
  EXPECT_EQ(UndoKeystrokes(
                {Down(kMaskKey), Up(kMaskKey), Up(VK_RMENU, true), Down(VK_LCONTROL), Down('V')}),
            (std::vector<KeyStroke>{Up('V'), Up(VK_LCONTROL), Down(VK_RMENU, true), Down(kMaskKey),
                                    Up(kMaskKey)}));
  // An undo that was cut too is undone with what it left.
  EXPECT_EQ(UndoKeystrokes({Down(kMaskKey), Up(kMaskKey), Up(VK_LMENU), Down(VK_LCONTROL),
                            Up(VK_LCONTROL), Down(VK_LMENU), Down(kMaskKey)}),
            std::vector<KeyStroke>{Up(kMaskKey)});
}

TEST(PasteKeystrokesTest, AltHeldIsMaskedReleasedAndPressedAgainAroundCtrlV) {
  EXPECT_EQ(PasteKeystrokes(kLeftAltKey, EPasteChord::kCtrlV),
            (std::vector<KeyStroke>{Down(kMaskKey), Up(kMaskKey), Up(VK_LMENU), Down(VK_LCONTROL),
                                    Down('V'), Up('V'), Up(VK_LCONTROL), Down(VK_LMENU),
                                    Down(kMaskKey), Up(kMaskKey)}));
}

TEST(PasteKeystrokesTest, AHeldCtrlServesCtrlVAndRightHandModifiersAreExtended) {
  EXPECT_EQ(PasteKeystrokes(kLeftCtrlKey, EPasteChord::kCtrlV),
            (std::vector<KeyStroke>{Down('V'), Up('V'), Down(kMaskKey), Up(kMaskKey)}));
  EXPECT_EQ(PasteKeystrokes(kRightCtrlKey | kRightAltKey | kLeftShiftKey, EPasteChord::kCtrlV),
            (std::vector<KeyStroke>{Down(kMaskKey), Up(kMaskKey), Up(VK_RMENU, true), Up(VK_LSHIFT),
                                    Down('V'), Up('V'), Down(VK_LSHIFT), Down(VK_RMENU, true),
                                    Down(kMaskKey), Up(kMaskKey)}));
}

TEST(PasteKeystrokesTest, ShiftInsertWithNothingHeldUsesTheExtendedInsertKey) {
  EXPECT_EQ(PasteKeystrokes(0, EPasteChord::kShiftInsert),
            (std::vector<KeyStroke>{Down(VK_LSHIFT), Down(VK_INSERT, true), Up(VK_INSERT, true),
                                    Up(VK_LSHIFT), Down(kMaskKey), Up(kMaskKey)}));
  EXPECT_EQ(PasteKeystrokes(kLeftCtrlKey, EPasteChord::kShiftInsert),
            (std::vector<KeyStroke>{Up(VK_LCONTROL), Down(VK_LSHIFT), Down(VK_INSERT, true),
                                    Up(VK_INSERT, true), Up(VK_LSHIFT), Down(VK_LCONTROL),
                                    Down(kMaskKey), Up(kMaskKey)}));
}

// Sent to the system: the key state afterwards is the user's, natively and under Wine.
class SentPasteKeystrokesTest : public ::testing::Test {
 protected:
  ~SentPasteKeystrokesTest() override {
    for (auto key = held_.rbegin(); key != held_.rend(); ++key) Send(*key, true);
  }
  void Hold(int key) {
    Send(key, false);
    held_.push_back(key);
  }
  static void Send(int key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, static_cast<int>(sizeof input));
  }
  static bool IsDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

  std::vector<int> held_;
};

TEST_F(SentPasteKeystrokesTest, TheHeldModifiersAreReadAndLeftHeld) {
  Hold(VK_LMENU);
  Hold(VK_LSHIFT);
  EXPECT_EQ(ReadHeldModifiers(), kLeftAltKey | kLeftShiftKey);
  EXPECT_TRUE(SendPasteKeystrokes(EPasteChord::kCtrlV, GetKeyboardLayout(0)));
  EXPECT_EQ(ReadHeldModifiers(), kLeftAltKey | kLeftShiftKey);
  EXPECT_FALSE(IsDown(VK_CONTROL));
  EXPECT_FALSE(IsDown('V'));
  EXPECT_FALSE(IsDown(kMaskKey));
}

}  // namespace
