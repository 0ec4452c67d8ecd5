#pragma once
// The header's caption line: what it says, and where its text stands in the line.

#include <string>

inline constexpr char16_t kNoClipsCaption[] = u"No clips yet";

// `caption` (the newest capture's, as the pause shows it); while the store holds no clip at
// all and nothing else is said, that there is none yet, so that the line is never blank.
std::u16string HeaderCaptionText(std::u16string caption, bool storeEmpty);

// The top of a text `textHeight` high centred in the line that starts at `lineTop` and is
// `lineHeight` high. A text taller than the line starts at its top, so that its first line
// shows whole.
int CentredTextTop(int lineTop, int lineHeight, int textHeight);
