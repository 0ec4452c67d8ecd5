#pragma once
// Which program made the clipboard's content: the one whose window owns the clipboard.

#include <string>

// The full path of the executable of the clipboard owner window's process, or, when the
// clipboard has no owner or that process cannot be asked (it ended, or runs at a higher
// integrity level), of the process of the window in front. Empty when neither can be told.
// The clipboard need not be open.
std::u16string ClipboardOwnerProgram();
