#pragma once
// How other programs and the end-to-end tests find the main window and its controls.

inline constexpr wchar_t kMainWindowClass[] = L"TClipboardViewerForm";
inline constexpr wchar_t kMainWindowTitle[] = L"Quillery";

// Control ids of the main window's children (GetDlgItem).
enum EMainWindowControl : int {
  kIdClipboardContent = 101,  // the header label: the caption of the newest clip
  kIdPin = 102,
  kIdOpenClipboard = 103,
  kIdAutoPaste = 104,
  kIdItemsTree = 105,
  kIdSearchField = 106,  // the search field, shown while searching
};

// Registered window message that a second start sends to the running program, which then
// shows its list; the second process exits.
inline constexpr wchar_t kShowListMessageName[] = L"Quillery.ShowList";

// Registered window message that "quillery.exe /pause" and "/resume" send to the running
// program: wParam 1 pauses capture, 0 resumes it; the program answers kPauseAnswer.
inline constexpr wchar_t kPauseMessageName[] = L"Quillery.PauseCapture";
inline constexpr long kPauseAnswer = 1;
