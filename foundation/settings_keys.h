#pragma once
// The program's settings: 32-bit signed integers under these keys, in section "Main" unless
// said otherwise, each described once with its section, the default and the range that its
// readers apply (CIntSetting, read with settings_reader.h). The store neither checks nor
// clamps. Section "Privacy" also holds the one text setting, the excluded programs.

#include <limits>
#include <string_view>

namespace Settings {

inline constexpr std::string_view kSectionMain = "Main";

// One integer setting: its key, the value a reader gets when none is stored, the range
// a stored value is limited to and its section. A setting whose readers take any value spans
// all of int.
struct CIntSetting {
  std::string_view key;
  int defaultValue;
  int min = std::numeric_limits<int>::min();
  int max = std::numeric_limits<int>::max();
  std::string_view section = kSectionMain;
};

// The primary hot key, a KeyCombination: a modifier held with a left mouse click.
inline constexpr std::string_view kPriHotKeyValue = "PriHotKeyValue";
inline constexpr int kPriHotKeyNone = 0;
inline constexpr int kPriHotKeyShiftClick = 0x2001;
inline constexpr int kPriHotKeyCtrlClick = 0x4001;
inline constexpr int kPriHotKeyAltClick = 0x8001;
// Not clamped: a value that is none of the three clicks is no hot key.
inline constexpr CIntSetting kPriHotKeyValueSetting{kPriHotKeyValue, kPriHotKeyCtrlClick};

// The secondary hot key, a KeyCombination: any key with modifiers. Ctrl+Alt+V by default.
inline constexpr std::string_view kSecHotKeyValue = "SecHotKeyValue";
// Not clamped: any value is a key combination.
inline constexpr CIntSetting kSecHotKeyValueSetting{kSecHotKeyValue, 0xC056};

// The hot key that brings the docked list to the front with the keyboard in it, a
// KeyCombination; 0 for none. Not clamped: any value is a key combination.
inline constexpr std::string_view kListHotKeyValue = "ListHotKeyValue";
inline constexpr CIntSetting kListHotKeyValueSetting{kListHotKeyValue, 0};

// Which modifier with a digit pastes from the history and which from the notes.
inline constexpr std::string_view kQuickPasteMode = "QuickPasteMode";
inline constexpr int kQuickPasteOff = 0;
inline constexpr int kQuickPasteCtrlHistory = 1;  // Ctrl: history, Alt: notes
inline constexpr int kQuickPasteAltHistory = 2;   // Alt: history, Ctrl: notes
inline constexpr CIntSetting kQuickPasteModeSetting{kQuickPasteMode, kQuickPasteCtrlHistory,
                                                    kQuickPasteOff, kQuickPasteAltHistory};

// How a clip put on the clipboard is pasted into the program in front: 0 chooses by the
// focused control (the paste message where a classic edit or rich edit takes it, the
// Ctrl+V keystroke elsewhere), 1 always types Ctrl+V, 2 always Shift+Insert, 3 always
// posts the paste message (WM_PASTE).
inline constexpr std::string_view kPasteMethod = "PasteMethod";
inline constexpr int kPasteMethodAutomatic = 0;
inline constexpr int kPasteMethodCtrlV = 1;
inline constexpr int kPasteMethodShiftInsert = 2;
inline constexpr int kPasteMethodMessage = 3;
inline constexpr CIntSetting kPasteMethodSetting{kPasteMethod, kPasteMethodAutomatic,
                                                 kPasteMethodAutomatic, kPasteMethodMessage};
// The settings dialog's choice when its list has none selected.
inline constexpr int kPasteMethodDefault = kPasteMethodSetting.defaultValue;

// The most clips the history keeps. The range is the settings dialog's, which clamps it;
// captures take the stored value unclamped (ReadSettingAsStored).
inline constexpr std::string_view kClipboardCapacity = "ClipboardCapacity";
inline constexpr CIntSetting kClipboardCapacitySetting{kClipboardCapacity, 12, 3, 100000};

// The most kilobytes of formats beside a clip's text ("HTML Format", "Rich Text Format")
// that a capture keeps; a copy with more keeps its plain text only. Captures clamp it.
inline constexpr std::string_view kMaxFormatSize = "MaxFormatSize";
inline constexpr CIntSetting kMaxFormatSizeSetting{kMaxFormatSize, 16384, 0, 1048576};

// The main window shows for exactly this value (1) and hides for any other: not clamped,
// its readers compare the value with kClipboardMonitorShown.
inline constexpr std::string_view kClipboardMonitorVisible = "ClipboardMonitorVisible";
inline constexpr int kClipboardMonitorShown = 1;
inline constexpr int kClipboardMonitorHidden = 0;
inline constexpr CIntSetting kClipboardMonitorVisibleSetting{kClipboardMonitorVisible,
                                                             kClipboardMonitorShown};

// The main window's alpha while the mouse is away from it.
inline constexpr std::string_view kWindowTransparency = "WindowTransparency";
inline constexpr CIntSetting kWindowTransparencySetting{kWindowTransparency, 200, 0, 255};

// The window's look: 0 follows the system's app theme, 1 always light, 2 always dark. The
// system's high contrast, when on, goes before all three. A value outside them reads as 0
// (ReadSettingInRange).
inline constexpr std::string_view kTheme = "Theme";
inline constexpr int kThemeFollowSystem = 0;
inline constexpr int kThemeLight = 1;
inline constexpr int kThemeDark = 2;
inline constexpr CIntSetting kThemeSetting{kTheme, kThemeFollowSystem, kThemeFollowSystem,
                                           kThemeDark};

// The keys below belong to the store's typed operations for the window and the update check.

// The main window's left edge. Its default depends on the screen: the work area's right
// edge minus the window's width minus this margin.
inline constexpr std::string_view kPositionX = "PositionX";
inline constexpr int kPositionXRightMargin = 80;

inline constexpr std::string_view kPositionY = "PositionY";
inline constexpr int kPositionYDefault = 0;

inline constexpr std::string_view kWindowWidth = "WindowWidth";
inline constexpr CIntSetting kWindowWidthSetting{kWindowWidth, 200, 100, 800};

// The main window's height with its list shown. Until the settings dialog has stored one,
// the window uses 388 and the dialog offers 390, its own default.
inline constexpr std::string_view kWindowHeight = "WindowHeight";
inline constexpr CIntSetting kWindowHeightSetting{kWindowHeight, 388, 200, 1000};
inline constexpr int kWindowHeightDialogDefault = 390;

// The day of the last update question, in whole days since 30 December 1899.
inline constexpr std::string_view kLastUpdatesCheck = "LastUpdatesCheck";
inline constexpr CIntSetting kLastUpdatesCheckSetting{kLastUpdatesCheck, 0};

// 1 until the first start has been noticed, then 0. Not clamped: only 1 counts as a first start.
inline constexpr std::string_view kFirstLaunch = "FirstLaunch";
inline constexpr CIntSetting kFirstLaunchSetting{kFirstLaunch, 1};

// What is captured and kept, in a section of its own.
inline constexpr std::string_view kPrivacySection = "Privacy";

// The programs whose copies are not captured, as text: executable file names without their
// folders, separated by ';' (program_list.h reads and writes it). A missing key gives the
// list of common password managers and credential prompts; an empty value, no program.
inline constexpr std::string_view kExcludedPrograms = "ExcludedPrograms";

// History clips older than this many hours are forgotten; 0 keeps them for ever. Notes and
// the clips of user categories are never forgotten. At most ten years.
inline constexpr std::string_view kForgetAfterHours = "ForgetAfterHours";
inline constexpr int kForgetNever = 0;
inline constexpr CIntSetting kForgetAfterHoursSetting{kForgetAfterHours, kForgetNever, 0, 87600,
                                                      kPrivacySection};

// 0: a copy equal to an older history clip moves that clip to the head of the history;
// 1: every copy becomes a clip of its own.
inline constexpr std::string_view kKeepDuplicates = "KeepDuplicates";
inline constexpr int kKeepDuplicatesOff = 0;
inline constexpr int kKeepDuplicatesOn = 1;
inline constexpr CIntSetting kKeepDuplicatesSetting{
    kKeepDuplicates, kKeepDuplicatesOff, kKeepDuplicatesOff, kKeepDuplicatesOn, kPrivacySection};

// The hot key that pauses and resumes capture, a KeyCombination; 0 for none. Not clamped:
// any value is a key combination.
inline constexpr std::string_view kPauseHotKeyValue = "PauseHotKeyValue";
inline constexpr int kPauseHotKeyNone = 0;
inline constexpr CIntSetting kPauseHotKeyValueSetting{
    kPauseHotKeyValue, kPauseHotKeyNone, std::numeric_limits<int>::min(),
    std::numeric_limits<int>::max(), kPrivacySection};

// How the data file is encrypted: 0 not at all, 1 with a key that only this Windows account
// can unwrap, 2 with a key made from a password the user types. The modes are choices, not
// amounts: a value outside them is read as 0 (ReadSettingInRange), not as the nearest mode.
inline constexpr std::string_view kEncryptClips = "EncryptClips";
inline constexpr int kEncryptClipsOff = 0;
inline constexpr int kEncryptClipsAccount = 1;
inline constexpr int kEncryptClipsPassword = 2;
inline constexpr CIntSetting kEncryptClipsSetting{kEncryptClips, kEncryptClipsOff, kEncryptClipsOff,
                                                  kEncryptClipsPassword, kPrivacySection};

}  // namespace Settings
