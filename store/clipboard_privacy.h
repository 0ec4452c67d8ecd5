#pragma once
// Content that its source asks clipboard managers not to keep: password managers mark
// what they copy with one of three registered formats.

#include "store/clipboard_format_set.h"

// True when the clipboard, which the caller has open and whose formats are `offered`, holds
// content marked as private: "ExcludeClipboardContentFromMonitorProcessing" or "Clipboard
// Viewer Ignore" present, or "CanIncludeInClipboardHistory" holding the DWORD 0.
bool OpenClipboardContentIsPrivate(const CClipboardFormatSet& offered);
