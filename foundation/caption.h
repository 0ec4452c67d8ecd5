#pragma once
// Captions: the one-line form of a clip's text that the program shows.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kCaptionLength = 200;

// The first `kCaptionLength` UTF-16 units of `text` (one fewer when the last would split a
// surrogate pair), without leading and trailing characters of code 32 and below.
std::u16string MakeCaption(std::u16string_view text);
