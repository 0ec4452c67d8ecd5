#include "app/paste/paste_keystrokes.h"

#include "app/paste/held_keys.h"

namespace {

struct ModifierKey {
  ModifierKeys bit;
  std::uint8_t virtualKey;
  bool extended;
};

// In the order they are released; they are pressed again in the reverse order.
constexpr ModifierKey kModifiers[] = {
    {kLeftAltKey, VK_LMENU, false},     {kRightAltKey, VK_RMENU, true},
    {kLeftCtrlKey, VK_LCONTROL, false}, {kRightCtrlKey, VK_RCONTROL, true},
    {kLeftShiftKey, VK_LSHIFT, false},  {kRightShiftKey, VK_RSHIFT, false},
};

constexpr ModifierKeys kAltKeys = kLeftAltKey | kRightAltKey;

struct ChordKeys {
  ModifierKeys kind;  // either side serves
  std::uint8_t modifier;
  std::uint8_t key;
  bool keyExtended;
};

ChordKeys ChordOf(EPasteChord chord) {
  if (chord == EPasteChord::kShiftInsert) {
    return {kLeftShiftKey | kRightShiftKey, VK_LSHIFT, VK_INSERT, true};
  }
  return {kLeftCtrlKey | kRightCtrlKey, VK_LCONTROL, 'V', false};
}

void Tap(std::vector<KeyStroke>& strokes, std::uint8_t key) {
  strokes.push_back({key, false, false});
  strokes.push_back({key, true, false});
}

// How long the system may take to apply the keys; it takes well under a millisecond unless
// a low-level keyboard hook is slow to let them through.
constexpr DWORD kKeysAppliedMilliseconds = 250;

bool WaitUntilHeld(int virtualKey, bool held) {
  const DWORD start = GetTickCount();
  while (IsKeyHeld(virtualKey) != held) {
    if (GetTickCount() - start >= kKeysAppliedMilliseconds) return false;
    Sleep(1);
  }
  return true;
}

// As one SendInput; true when the system took every event.
bool Send(const std::vector<KeyStroke>& strokes, HKL layout) {
  std::vector<INPUT> inputs(strokes.size());
  for (std::size_t i = 0; i < strokes.size(); ++i) {
    KEYBDINPUT& key = inputs[i].ki;
    inputs[i].type = INPUT_KEYBOARD;
    key.wVk = strokes[i].virtualKey;
    key.wScan = static_cast<WORD>(MapVirtualKeyExW(strokes[i].virtualKey, MAPVK_VK_TO_VSC, layout));
    key.dwFlags =
        (strokes[i].up ? KEYEVENTF_KEYUP : 0) | (strokes[i].extended ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  const UINT sent =
      SendInput(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
  return sent == inputs.size();
}

}  // namespace

std::vector<KeyStroke> PasteKeystrokes(ModifierKeys held, EPasteChord chord) {
  const ChordKeys wanted = ChordOf(chord);
  held &= kAllModifierKeys;
  const ModifierKeys released = held & static_cast<ModifierKeys>(~wanted.kind);
  const bool pressModifier = (held & wanted.kind) == 0;

  std::vector<KeyStroke> strokes;
  if (released & kAltKeys) Tap(strokes, kMaskKey);
  for (const ModifierKey& modifier : kModifiers) {
    if (released & modifier.bit) strokes.push_back({modifier.virtualKey, true, modifier.extended});
  }
  if (pressModifier) strokes.push_back({wanted.modifier, false, false});
  strokes.push_back({wanted.key, false, wanted.keyExtended});
  strokes.push_back({wanted.key, true, wanted.keyExtended});
  if (pressModifier) strokes.push_back({wanted.modifier, true, false});
  for (auto modifier = std::rbegin(kModifiers); modifier != std::rend(kModifiers); ++modifier) {
    if (released & modifier->bit) {
      strokes.push_back({modifier->virtualKey, false, modifier->extended});
    }
  }
  // Also after the Alt pressed again, whose release by the user would otherwise come right
  // after a press.
  Tap(strokes, kMaskKey);
  return strokes;
}

ModifierKeys ReadHeldModifiers() {
  ModifierKeys held = 0;
  for (const ModifierKey& modifier : kModifiers) {
    if (IsKeyHeld(modifier.virtualKey)) held |= modifier.bit;
  }
  return held;
}

bool SendPasteKeystrokes(EPasteChord chord, HKL layout) {
  std::vector<KeyStroke> strokes = PasteKeystrokes(ReadHeldModifiers(), chord);
  const KeyStroke maskRelease = strokes.back();
  strokes.pop_back();
  if (!Send(strokes, layout)) return false;
  const bool taken = WaitUntilHeld(kMaskKey, true);
  return Send({maskRelease}, layout) && WaitUntilHeld(kMaskKey, false) && taken;
}
