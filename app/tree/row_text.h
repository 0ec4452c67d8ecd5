#pragma once
// What a row of the clip tree says in words: the text that screen readers read for it,
// made from the row's mirror node only when someone asks (the rows themselves hold no text).

#include <string>

#include "categories/item_node.h"
#include "foundation/key_combination.h"

// "Ctrl+Alt+H": the modifiers in the order Ctrl, Shift, Alt, then the key by its name on
// the keyboard ("F5", "Page Down", "Num 3"), a mouse button by its name. Empty for 0.
std::u16string KeyCombinationText(KeyCombination keys);

// A category: "Clipboard history, 12 clips" ("1 clip", "no clips"). A clip: its caption on
// one line, or its kind where the caption says nothing ("Picture 640 by 480", "File a.txt",
// "Empty text"), then ", quick paste Ctrl+1" while quick paste is on (`quickPasteMode`
// 1 or 2, as RowState has it) and the clip has a number, and ", hot key Ctrl+Alt+H" when it
// has one.
std::u16string RowText(const CItemNode& node, int quickPasteMode);
