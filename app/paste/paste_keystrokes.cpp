#include "app/paste/paste_keystrokes.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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

template <typename Condition>
bool WaitUntil(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= kKeysAppliedMilliseconds) return false;
    Sleep(1);
  }
  return true;
}

bool WaitUntilHeld(int virtualKey, bool held) {
  return WaitUntil([&] { return IsKeyHeld(virtualKey) == held; });
}

// As one SendInput; how many events the system took, from the first on.
std::size_t Send(const std::vector<KeyStroke>& strokes, HKL layout) {
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
  return std::min<std::size_t>(sent, inputs.size());
}

// How often the undoing of a cut sequence is tried, should the system cut that short too.
constexpr int kUndoAttempts = 3;

// Undoes what the system took of a sequence it cut short, and waits a bounded time for the
// key state to show the user's modifiers as `held` again.
void TakeBack(std::vector<KeyStroke> taken, HKL layout, ModifierKeys held) {
  for (int attempt = 0; attempt < kUndoAttempts; ++attempt) {
    const std::vector<KeyStroke> undo = UndoKeystrokes(taken);
    if (undo.empty()) break;
    const std::size_t sent = Send(undo, layout);
    taken.insert(taken.end(), undo.begin(), undo.begin() + static_cast<std::ptrdiff_t>(sent));
  }
  WaitUntil([&] { return ReadHeldModifiers() == held && !IsKeyHeld(kMaskKey); });
}

bool IsAltKey(std::uint8_t virtualKey) {
  return virtualKey == VK_MENU || virtualKey == VK_LMENU || virtualKey == VK_RMENU;
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

std::vector<KeyStroke> UndoKeystrokes(const std::vector<KeyStroke>& taken) {
  struct KeyChange {
    KeyStroke first;  // up: the key was held before
    KeyStroke last;
    std::size_t lastAt = 0;
  };
  std::vector<KeyChange> keys;
  for (std::size_t at = 0; at < taken.size(); ++at) {
    const KeyStroke& stroke = taken[at];
    auto key = std::find_if(keys.begin(), keys.end(), [&](const KeyChange& change) {
      return change.first.virtualKey == stroke.virtualKey;
    });
    if (key == keys.end()) {
      keys.push_back({stroke, stroke, at});
    } else {
      key->last = stroke;
      key->lastAt = at;
    }
  }
  // Last changed first: releases in the reverse order of their presses, presses in the
  // reverse order of their releases.
  std::sort(keys.begin(), keys.end(),
            [](const KeyChange& a, const KeyChange& b) { return a.lastAt > b.lastAt; });
  std::vector<KeyStroke> undo;
  for (const KeyChange& key : keys) {
    if (!key.first.up && !key.last.up) {
      undo.push_back({key.last.virtualKey, true, key.last.extended});
    }
  }
  for (const KeyChange& key : keys) {
    if (key.first.up && key.last.up) {
      undo.push_back({key.last.virtualKey, false, key.last.extended});
    }
  }
  // An Alt pressed with no key after it would open the menu bar at the user's release.
  bool altPressedLast = false;
  const auto notePresses = [&](const std::vector<KeyStroke>& strokes) {
    for (const KeyStroke& stroke : strokes) {
      if (!stroke.up) altPressedLast = IsAltKey(stroke.virtualKey);
    }
  };
  notePresses(taken);
  notePresses(undo);
  const bool altHeld = std::any_of(keys.begin(), keys.end(), [](const KeyChange& key) {
    return key.first.up && IsAltKey(key.first.virtualKey);
  });
  if (altPressedLast && altHeld) Tap(undo, kMaskKey);
  return undo;
}

ModifierKeys ReadHeldModifiers() {
  ModifierKeys held = 0;
  for (const ModifierKey& modifier : kModifiers) {
    if (IsKeyHeld(modifier.virtualKey)) held |= modifier.bit;
  }
  return held;
}

bool SendPasteKeystrokes(EPasteChord chord, HKL layout) {
  const ModifierKeys held = ReadHeldModifiers();
  std::vector<KeyStroke> strokes = PasteKeystrokes(held, chord);
  const KeyStroke maskRelease = strokes.back();
  strokes.pop_back();
  std::size_t taken = Send(strokes, layout);
  if (taken == strokes.size()) {
    const bool applied = WaitUntilHeld(kMaskKey, true);
    strokes.push_back(maskRelease);
    taken += Send({maskRelease}, layout);
    if (taken == strokes.size()) return WaitUntilHeld(kMaskKey, false) && applied;
  }
  strokes.resize(taken);
  TakeBack(std::move(strokes), layout, held);
  return false;
}

void TapMaskedAlt() {
  const ModifierKeys held = ReadHeldModifiers();
  const std::vector<KeyStroke> strokes = {{VK_MENU, false, false},
                                          {kMaskKey, false, false},
                                          {kMaskKey, true, false},
                                          {VK_MENU, true, false}};
  const HKL layout = GetKeyboardLayout(0);
  const std::size_t taken = Send(strokes, layout);
  if (taken < strokes.size()) {
    TakeBack(std::vector<KeyStroke>(strokes.begin(),
                                    strokes.begin() + static_cast<std::ptrdiff_t>(taken)),
             layout, held);
  }
}
