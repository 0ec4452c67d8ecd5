#include "app/window/mouse_hot_key_rule.h"

#include <algorithm>

namespace {

constexpr KeyCombination kHeldModifierBits = kKeyShift | kKeyCtrl | kKeyAlt;

std::uint8_t ButtonBit(std::uint8_t button) {
  return static_cast<std::uint8_t>(1u << button);
}

}  // namespace

bool IsMouseCombination(KeyCombination code) {
  switch (code & 0xFF) {
    case kLeftButton:
    case kRightButton:
    case kMiddleButton:
    case kFirstExtraButton:
    case kSecondExtraButton:
      return true;
    default:
      return false;
  }
}

std::uint8_t LogicalButton(std::uint8_t physicalButton, bool buttonsSwapped) {
  if (!buttonsSwapped) return physicalButton;
  if (physicalButton == kLeftButton) return kRightButton;
  if (physicalButton == kRightButton) return kLeftButton;
  return physicalButton;
}

void CollectMouseHotKeys(std::span<const KeyCombination> popupHotKeys,
                         const std::map<unsigned short, unsigned int>& clipHotKeys,
                         std::vector<KeyCombination>& mouse) {
  mouse.clear();
  for (KeyCombination code : popupHotKeys) {
    if (IsMouseCombination(code)) mouse.push_back(code);
  }
  for (const auto& bound : clipHotKeys) {
    if (IsMouseCombination(bound.first)) mouse.push_back(bound.first);
  }
  std::sort(mouse.begin(), mouse.end());
  mouse.erase(std::unique(mouse.begin(), mouse.end()), mouse.end());
}

void CMouseHotKeyRule::Watch(const std::vector<KeyCombination>& hotKeys) {
  mouseHotKeys_.clear();
  for (KeyCombination code : hotKeys) {
    if (IsMouseCombination(code)) mouseHotKeys_.push_back(code);
  }
}

MouseVerdict CMouseHotKeyRule::Judge(const MouseButtonEvent& event) {
  const KeyCombination asButton = event.physicalButton;
  if (!IsMouseCombination(asButton)) return {};
  const std::uint8_t bit = ButtonBit(event.physicalButton);
  if (!event.down) {
    if ((swallowedButtons_ & bit) == 0) return {};
    swallowedButtons_ = static_cast<std::uint8_t>(swallowedButtons_ & ~bit);
    return {true, std::nullopt};
  }
  // A press while the last one of the same button seems held means its release was never
  // seen (it went to a hook that ran before ours, or the hook was away); it is forgotten.
  swallowedButtons_ = static_cast<std::uint8_t>(swallowedButtons_ & ~bit);
  if (paused_ || event.altGrPossible || event.onOwnWindow) return {};
  const auto code =
      static_cast<KeyCombination>((event.modifiers & kHeldModifierBits) |
                                  LogicalButton(event.physicalButton, event.buttonsSwapped));
  if (std::find(mouseHotKeys_.begin(), mouseHotKeys_.end(), code) == mouseHotKeys_.end()) {
    return {};
  }
  swallowedButtons_ = static_cast<std::uint8_t>(swallowedButtons_ | bit);
  return {true, code};
}
