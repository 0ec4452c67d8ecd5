#pragma once
// The "Paste as" forms as the clip tree offers them: the entries of the submenu and the
// keys that choose a form in the list and the popup.

#include <optional>
#include <span>

#include "foundation/paste_as_text.h"

// One entry of the "Paste as" submenu and the key that chooses it.
struct PasteAsChoice {
  EPasteAs as;
  const char16_t* caption;  // with its access key and, after a tab, its key
  unsigned int key;         // virtual key
  bool ctrl;
  bool shift;
};

// Every form, in the submenu's order.
std::span<const PasteAsChoice> PasteAsChoices();

// The form that `key` with these modifiers chooses in the list or the popup: Shift+Enter the
// plain text, Ctrl+Shift with U, L, T, R or J the others; none for any other key. Alt with
// any of them chooses none.
std::optional<EPasteAs> PasteAsForKey(unsigned int key, bool ctrl, bool shift, bool alt);
