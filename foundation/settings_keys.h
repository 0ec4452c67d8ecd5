#pragma once
// The program's settings: 32-bit signed integers under these keys in section "Main", with
// the defaults and limits that their readers apply. The store neither checks nor clamps;
// each reader passes its default and clamps what it gets.

#include <string_view>

namespace Settings {

inline constexpr std::string_view kSectionMain = "Main";

// The primary hot key, a KeyCombination: a modifier held with a left mouse click.
inline constexpr std::string_view kPriHotKeyValue = "PriHotKeyValue";
inline constexpr int kPriHotKeyNone = 0;
inline constexpr int kPriHotKeyShiftClick = 0x2001;
inline constexpr int kPriHotKeyCtrlClick = 0x4001;
inline constexpr int kPriHotKeyAltClick = 0x8001;
inline constexpr int kPriHotKeyValueDefault = kPriHotKeyCtrlClick;

// The secondary hot key, a KeyCombination: any key with modifiers. Ctrl+Alt+V by default.
inline constexpr std::string_view kSecHotKeyValue = "SecHotKeyValue";
inline constexpr int kSecHotKeyValueDefault = 0xC056;

// Which modifier with a digit pastes from the history and which from the notes.
inline constexpr std::string_view kQuickPasteMode = "QuickPasteMode";
inline constexpr int kQuickPasteOff = 0;
inline constexpr int kQuickPasteCtrlHistory = 1;  // Ctrl: history, Alt: notes
inline constexpr int kQuickPasteAltHistory = 2;   // Alt: history, Ctrl: notes
inline constexpr int kQuickPasteModeDefault = kQuickPasteCtrlHistory;
inline constexpr int kQuickPasteModeMin = kQuickPasteOff;
inline constexpr int kQuickPasteModeMax = kQuickPasteAltHistory;

// How a clip put on the clipboard is pasted into the program in front: 0 chooses by the
// focused control (the paste message where a classic edit or rich edit takes it, the
// Ctrl+V keystroke elsewhere), 1 always types Ctrl+V, 2 always Shift+Insert, 3 always
// posts the paste message (WM_PASTE).
inline constexpr std::string_view kPasteMethod = "PasteMethod";
inline constexpr int kPasteMethodAutomatic = 0;
inline constexpr int kPasteMethodCtrlV = 1;
inline constexpr int kPasteMethodShiftInsert = 2;
inline constexpr int kPasteMethodMessage = 3;
inline constexpr int kPasteMethodDefault = kPasteMethodAutomatic;
inline constexpr int kPasteMethodMin = kPasteMethodAutomatic;
inline constexpr int kPasteMethodMax = kPasteMethodMessage;

// The most clips the history keeps. Captures read it unclamped; the settings dialog clamps.
inline constexpr std::string_view kClipboardCapacity = "ClipboardCapacity";
inline constexpr int kClipboardCapacityDefault = 12;
inline constexpr int kClipboardCapacityMin = 3;
inline constexpr int kClipboardCapacityMax = 10000;

// The most kilobytes of formats beside a clip's text ("HTML Format", "Rich Text Format")
// that a capture keeps; a copy with more keeps its plain text only. Captures clamp it.
inline constexpr std::string_view kMaxFormatSize = "MaxFormatSize";
inline constexpr int kMaxFormatSizeDefault = 16384;
inline constexpr int kMaxFormatSizeMin = 0;
inline constexpr int kMaxFormatSizeMax = 1048576;

// The main window shows for exactly this value (1) and hides for any other.
inline constexpr std::string_view kClipboardMonitorVisible = "ClipboardMonitorVisible";
inline constexpr int kClipboardMonitorShown = 1;
inline constexpr int kClipboardMonitorHidden = 0;
inline constexpr int kClipboardMonitorVisibleDefault = kClipboardMonitorShown;

// The main window's alpha while the mouse is away from it.
inline constexpr std::string_view kWindowTransparency = "WindowTransparency";
inline constexpr int kWindowTransparencyDefault = 200;
inline constexpr int kWindowTransparencyMin = 0;
inline constexpr int kWindowTransparencyMax = 255;

// The keys below belong to the store's typed operations for the window and the update check.

// The main window's left edge. Its default depends on the screen: the work area's right
// edge minus the window's width minus this margin.
inline constexpr std::string_view kPositionX = "PositionX";
inline constexpr int kPositionXRightMargin = 80;

inline constexpr std::string_view kPositionY = "PositionY";
inline constexpr int kPositionYDefault = 0;

inline constexpr std::string_view kWindowWidth = "WindowWidth";
inline constexpr int kWindowWidthDefault = 200;
inline constexpr int kWindowWidthMin = 100;
inline constexpr int kWindowWidthMax = 800;

// The main window's height with its list shown. Until the settings dialog has stored one,
// the window uses 388 and the dialog offers 390.
inline constexpr std::string_view kWindowHeight = "WindowHeight";
inline constexpr int kWindowHeightDefault = 388;
inline constexpr int kWindowHeightDialogDefault = 390;
inline constexpr int kWindowHeightMin = 200;
inline constexpr int kWindowHeightMax = 1000;

// The day of the last update question, in whole days since 30 December 1899.
inline constexpr std::string_view kLastUpdatesCheck = "LastUpdatesCheck";
inline constexpr int kLastUpdatesCheckDefault = 0;

// 1 until the first start has been noticed, then 0.
inline constexpr std::string_view kFirstLaunch = "FirstLaunch";
inline constexpr int kFirstLaunchDefault = 1;

}  // namespace Settings
