// The model's keyboard input, keyboard layouts, mouse-button setting and foreground window.

#include <cstdint>
#include <map>
#include <utility>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::State;

constexpr SHORT kShift = 0x0100;
constexpr SHORT kCtrlAlt = 0x0600;  // AltGr
constexpr SHORT kNone = -1;

// Which key, with which modifiers, types each character: VkKeyScanExW's answer.
using CharacterKeys = std::map<char16_t, SHORT>;

CharacterKeys UnitedStatesKeys() {
  CharacterKeys keys;
  for (char16_t c = u'a'; c <= u'z'; ++c) keys[c] = static_cast<SHORT>(c - u'a' + 'A');
  for (char16_t c = u'A'; c <= u'Z'; ++c) keys[c] = static_cast<SHORT>(kShift | c);
  for (char16_t c = u'0'; c <= u'9'; ++c) keys[c] = static_cast<SHORT>(c);
  keys[u' '] = 0x20;
  const std::pair<const char16_t*, int> rows[] = {
      {u")!@#$%^&*(", -1}, {u"-_", 0xBD},  {u"=+", 0xBB}, {u"[{", 0xDB},
      {u"]}", 0xDD},       {u"\\|", 0xDC}, {u";:", 0xBA}, {u"'\"", 0xDE},
      {u",<", 0xBC},       {u".>", 0xBE},  {u"/?", 0xBF}, {u"`~", 0xC0}};
  for (const auto& [characters, key] : rows) {
    if (key < 0) {
      for (int digit = 0; digit <= 9; ++digit) {
        keys[characters[digit]] = static_cast<SHORT>(kShift | ('0' + digit));
      }
    } else {
      keys[characters[0]] = static_cast<SHORT>(key);
      keys[characters[1]] = static_cast<SHORT>(kShift | key);
    }
  }
  return keys;
}

void Apply(CharacterKeys& keys, std::initializer_list<std::pair<char16_t, SHORT>> changes) {
  for (const auto& [character, key] : changes) {
    if (key == kNone) {
      keys.erase(character);
    } else {
      keys[character] = key;
    }
  }
}

CharacterKeys GermanKeys() {
  CharacterKeys keys = UnitedStatesKeys();
  Apply(keys, {{u'y', 'Z'},
               {u'z', 'Y'},
               {u'Y', kShift | 'Z'},
               {u'Z', kShift | 'Y'},
               {u'{', kCtrlAlt | '7'},
               {u'[', kCtrlAlt | '8'},
               {u']', kCtrlAlt | '9'},
               {u'}', kCtrlAlt | '0'},
               {u'\\', kCtrlAlt | 0xDB},
               {u'@', kCtrlAlt | 'Q'},
               {u'~', kCtrlAlt | 0xBB},
               {u'|', kCtrlAlt | 0xE2},
               {u'\u20AC', kCtrlAlt | 'E'},
               {u'\u00E4', 0xDE},
               {u'\u00F6', 0xC0},
               {u'\u00FC', 0xBA},
               {u'\u00DF', 0xDB}});
  return keys;
}

CharacterKeys FrenchKeys() {
  CharacterKeys keys = UnitedStatesKeys();
  Apply(keys, {{u'a', 'Q'},
               {u'q', 'A'},
               {u'z', 'W'},
               {u'w', 'Z'},
               {u'A', kShift | 'Q'},
               {u'Q', kShift | 'A'},
               {u'Z', kShift | 'W'},
               {u'W', kShift | 'Z'}});
  for (char16_t c = u'0'; c <= u'9'; ++c) keys[c] = static_cast<SHORT>(kShift | c);
  Apply(keys, {{u'\u00E9', '2'},
               {u'\u00E8', '7'},
               {u'\u00E7', '9'},
               {u'\u00E0', '0'},
               {u'~', kCtrlAlt | '2'},
               {u'#', kCtrlAlt | '3'},
               {u'{', kCtrlAlt | '4'},
               {u'[', kCtrlAlt | '5'},
               {u'|', kCtrlAlt | '6'},
               {u'\\', kCtrlAlt | '8'},
               {u'@', kCtrlAlt | '0'},
               {u']', kCtrlAlt | 0xDB},
               {u'}', kCtrlAlt | 0xBB},
               {u'\u20AC', kCtrlAlt | 'E'}});
  return keys;
}

CharacterKeys PolishKeys() {
  CharacterKeys keys = UnitedStatesKeys();
  const std::pair<char16_t, char> letters[] = {
      {u'\u0105', 'A'}, {u'\u0107', 'C'}, {u'\u0119', 'E'}, {u'\u0142', 'L'}, {u'\u0144', 'N'},
      {u'\u00F3', 'O'}, {u'\u015B', 'S'}, {u'\u017A', 'X'}, {u'\u017C', 'Z'}};
  for (const auto& [letter, key] : letters) keys[letter] = static_cast<SHORT>(kCtrlAlt | key);
  const std::pair<char16_t, char> capitals[] = {
      {u'\u0104', 'A'}, {u'\u0106', 'C'}, {u'\u0118', 'E'}, {u'\u0141', 'L'}, {u'\u0143', 'N'},
      {u'\u00D3', 'O'}, {u'\u015A', 'S'}, {u'\u0179', 'X'}, {u'\u017B', 'Z'}};
  for (const auto& [capital, key] : capitals) {
    keys[capital] = static_cast<SHORT>(kShift | kCtrlAlt | key);
  }
  keys[u'\u20AC'] = static_cast<SHORT>(kCtrlAlt | 'U');
  return keys;
}

const CharacterKeys* LayoutKeys(std::uintptr_t layout) {
  static const std::map<std::uintptr_t, CharacterKeys> layouts = {
      {sim::kLayoutUnitedStates, UnitedStatesKeys()},
      {sim::kLayoutGerman, GermanKeys()},
      {sim::kLayoutFrench, FrenchKeys()},
      {sim::kLayoutPolish, PolishKeys()}};
  const auto found = layouts.find(layout);
  return found == layouts.end() ? nullptr : &found->second;
}

// Scan codes of the keyboard's set 1, where the keys are on a US keyboard; the model's
// layouts differ only in the characters.
WORD ScanCode(UINT key) {
  static const char kLetters[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
  static const WORD kLetterCodes[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                                      0x19, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                                      0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
  for (int i = 0; kLetters[i] != 0; ++i) {
    if (key == static_cast<UINT>(kLetters[i])) return kLetterCodes[i];
  }
  if (key >= '1' && key <= '9') return static_cast<WORD>(0x02 + key - '1');
  switch (key) {
    case '0':
      return 0x0B;
    case VK_SHIFT:
    case VK_LSHIFT:
      return 0x2A;
    case VK_RSHIFT:
      return 0x36;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
      return 0x1D;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
      return 0x38;
    case VK_INSERT:
      return 0x52;
    default:
      return 0;
  }
}

// The key whose state a keyboard event changes: the generic modifiers stand for a side.
int SideOf(const KEYBDINPUT& key) {
  const bool extended = (key.dwFlags & KEYEVENTF_EXTENDEDKEY) != 0;
  switch (key.wVk) {
    case VK_SHIFT:
      return key.wScan == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
      return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
      return extended ? VK_RMENU : VK_LMENU;
    default:
      return key.wVk;
  }
}

void Apply(const KEYBDINPUT& key) {
  sim::SetKeyDown(SideOf(key), (key.dwFlags & KEYEVENTF_KEYUP) == 0);
}

}  // namespace

namespace sim::detail {

void ApplyPendingInput() {
  std::vector<KEYBDINPUT> pending = std::move(State().pendingInput);
  State().pendingInput.clear();
  for (const KEYBDINPUT& key : pending) Apply(key);
}

}  // namespace sim::detail

UINT SendInput(UINT count, INPUT* inputs, int size) {
  if (inputs == nullptr || size != static_cast<int>(sizeof(INPUT))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::size_t room = SIZE_MAX;
  auto& cuts = State().sentInputCuts;
  if (!cuts.empty()) {
    room = cuts.front();
    cuts.erase(cuts.begin());
  }
  UINT taken = 0;
  for (UINT i = 0; i < count && taken < room; ++i) {
    if (inputs[i].type != INPUT_KEYBOARD) continue;
    const KEYBDINPUT& key = inputs[i].ki;
    State().sentKeys.push_back({key.wVk, key.wScan, (key.dwFlags & KEYEVENTF_KEYUP) != 0,
                                (key.dwFlags & KEYEVENTF_EXTENDEDKEY) != 0});
    if (State().delaySentInput) {
      State().pendingInput.push_back(key);
    } else {
      Apply(key);
    }
    ++taken;
  }
  return taken;
}

UINT MapVirtualKeyExW(UINT code, UINT mapType, HKL) {
  return mapType == MAPVK_VK_TO_VSC ? ScanCode(code) : 0;
}

HKL GetKeyboardLayout(DWORD) {
  return reinterpret_cast<HKL>(State().keyboardLayout);
}

SHORT VkKeyScanExW(WCHAR character, HKL layout) {
  const CharacterKeys* keys = LayoutKeys(reinterpret_cast<std::uintptr_t>(layout));
  if (keys == nullptr) return kNone;
  const auto found = keys->find(character);
  return found == keys->end() ? kNone : found->second;
}

int GetSystemMetrics(int index) {
  return index == SM_SWAPBUTTON && State().buttonsSwapped ? 1 : 0;
}

HWND GetForegroundWindow() {
  return State().foreground;
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (processId != nullptr) {
    const auto& owners = State().windowProcesses;
    const auto owner = owners.find(reinterpret_cast<std::uintptr_t>(window));
    *processId = owner == owners.end() ? sim::detail::kOwnProcessId : owner->second;
  }
  // A thread of its own for every window.
  return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(window) & 0xFFFFFFFF);
}

namespace sim {

const std::vector<SentKey>& SentKeys() {
  return State().sentKeys;
}

HKL KeyboardLayout(std::uint32_t id) {
  return reinterpret_cast<HKL>(std::uintptr_t{id});
}

void SetKeyboardLayout(HKL layout) {
  State().keyboardLayout = reinterpret_cast<std::uintptr_t>(layout);
}

void SetMouseButtonsSwapped(bool swapped) {
  State().buttonsSwapped = swapped;
}

void SetForegroundWindow(HWND window) {
  State().foreground = window;
}

void DelaySentInput(bool delay) {
  State().delaySentInput = delay;
  if (!delay) detail::ApplyPendingInput();
}

std::size_t PendingInput() {
  return State().pendingInput.size();
}

void CutSentInput(std::vector<std::size_t> eventsTaken) {
  State().sentInputCuts = std::move(eventsTaken);
}

}  // namespace sim
