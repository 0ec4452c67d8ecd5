#pragma once
// "Paste together": the texts of several clips as the one text that is pasted.

#include <optional>
#include <span>
#include <string>

#include "store/base_item.h"

// Said, and nothing pasted, when the clips chosen hold no text.
inline constexpr char16_t kNothingToPasteTogether[] =
    u"None of the selected clips holds text: nothing was pasted.";

// The texts of the text clips among `clips` (in the order given, which is the tree's),
// joined by line breaks (CR LF). Pictures, file lists and null entries are left out; none
// when no text clip is left.
std::optional<std::u16string> JoinedClipTexts(std::span<const CBaseItem* const> clips);
