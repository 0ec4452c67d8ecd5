#pragma once
// Which mouse presses are hot keys. A hot key made with a mouse button fires on the press,
// and the press and its release are kept from the program under the mouse: Ctrl with a
// left click opens the popup, it must not also open a link or move a caret there. Every
// other press and release passes untouched.
//
// The rule is fed each button event as the system reports it to a low-level mouse hook,
// with the modifiers held at that moment; it says whether to swallow the event and which
// hot key, if any, the press fired.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "foundation/key_combination.h"

// The mouse buttons as the low byte of a combination names them (the virtual-key codes of
// VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1 and VK_XBUTTON2).
inline constexpr std::uint8_t kLeftButton = 0x01;
inline constexpr std::uint8_t kRightButton = 0x02;
inline constexpr std::uint8_t kMiddleButton = 0x04;
inline constexpr std::uint8_t kFirstExtraButton = 0x05;
inline constexpr std::uint8_t kSecondExtraButton = 0x06;

// True when the combination's key is one of the mouse buttons.
bool IsMouseCombination(KeyCombination code);

// The logical button of a physical one: with the buttons swapped for the left hand, the
// physical right button is the primary (left) one and the other way round. Others stay.
std::uint8_t LogicalButton(std::uint8_t physicalButton, bool buttonsSwapped);

// The hot keys among `popupHotKeys` and the clips' (by their codes) that are mouse
// combinations, each once, in ascending order, into `mouse` (emptied first, its storage
// kept, as it is asked at every tick): what the hook must watch.
void CollectMouseHotKeys(std::span<const KeyCombination> popupHotKeys,
                         const std::map<unsigned short, unsigned int>& clipHotKeys,
                         std::vector<KeyCombination>& mouse);

// One button event as the hook sees it.
struct MouseButtonEvent {
  std::uint8_t physicalButton = 0;  // kLeftButton .. kSecondExtraButton
  bool down = false;
  KeyCombination modifiers = 0;  // kKeyShift, kKeyCtrl and kKeyAlt held, left or right alike
  // The held Ctrl and Alt may be AltGr (right Alt without the left one): such combinations
  // type characters and are no hot key, as the tick's poll takes them.
  bool altGrPossible = false;
  bool buttonsSwapped = false;
  // The press is on the program's own window, whose clicks are its own: Ctrl and Shift
  // with a click select clips there.
  bool onOwnWindow = false;
};

struct MouseVerdict {
  bool swallow = false;
  std::optional<KeyCombination> fired;  // the hot key the press fired
  bool operator==(const MouseVerdict&) const = default;
};

// Not thread-safe: the owner serialises its calls.
class CMouseHotKeyRule {
 public:
  // The hot keys to watch; those without a mouse button are left to the keyboard poll.
  // Presses swallowed before keep their releases swallowed.
  void Watch(const std::vector<KeyCombination>& hotKeys);
  // True when some watched hot key is a mouse combination: only then is a hook needed.
  bool HasMouseHotKeys() const { return !mouseHotKeys_.empty(); }

  // While paused (the popup is open, and its clicks are its own) no press is a hot key;
  // the release of a press swallowed before is still swallowed.
  void SetPaused(bool paused) { paused_ = paused; }

  // Swallows a press that makes a watched mouse hot key, unless it is on the program's own
  // window, and fires it; swallows the release of the same physical button after such a
  // press, whatever is held then.
  MouseVerdict Judge(const MouseButtonEvent& event);

 private:
  std::vector<KeyCombination> mouseHotKeys_;
  bool paused_ = false;
  std::uint8_t swallowedButtons_ = 0;  // one bit per physical button, by its code
};
