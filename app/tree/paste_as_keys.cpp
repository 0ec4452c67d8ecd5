#include "app/tree/paste_as_keys.h"

#include <array>

namespace {

constexpr unsigned int kReturnKey = 0x0D;  // VK_RETURN

constexpr std::array kPasteAsChoices = {
    PasteAsChoice{EPasteAs::kPlainText, u"&Plain text\tShift+Enter", kReturnKey, false, true},
    PasteAsChoice{EPasteAs::kUpperCase, u"&UPPER CASE\tCtrl+Shift+U", 'U', true, true},
    PasteAsChoice{EPasteAs::kLowerCase, u"&lower case\tCtrl+Shift+L", 'L', true, true},
    PasteAsChoice{EPasteAs::kTitleCase, u"&Title Case\tCtrl+Shift+T", 'T', true, true},
    PasteAsChoice{EPasteAs::kTrimmed, u"T&rimmed\tCtrl+Shift+R", 'R', true, true},
    PasteAsChoice{EPasteAs::kOneLine, u"&One line\tCtrl+Shift+J", 'J', true, true},
};

}  // namespace

std::span<const PasteAsChoice> PasteAsChoices() {
  return kPasteAsChoices;
}

std::optional<EPasteAs> PasteAsForKey(unsigned int key, bool ctrl, bool shift, bool alt) {
  if (alt) return std::nullopt;
  for (const PasteAsChoice& choice : kPasteAsChoices) {
    if (choice.key == key && choice.ctrl == ctrl && choice.shift == shift) return choice.as;
  }
  return std::nullopt;
}
