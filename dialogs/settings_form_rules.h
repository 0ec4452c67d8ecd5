#pragma once
// The rules of the settings dialog (TFormSettings): what it reads from the settings store
// when it opens, how stored values are clamped into its controls, what it writes on OK and
// in which order, what its category buttons allow and how its category rows look. The
// Win32 dialog only moves these values to and from its controls.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/hot_key_value.h"
#include "foundation/key_combination.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"

// The range of a spin control.
struct SpinRange {
  int min;
  int max;
};

// The spins offer the ranges of their settings.
inline constexpr SpinRange kWidthSpinRange{Settings::kWindowWidthSetting.min,
                                           Settings::kWindowWidthSetting.max};
inline constexpr SpinRange kHeightSpinRange{Settings::kWindowHeightSetting.min,
                                            Settings::kWindowHeightSetting.max};
inline constexpr SpinRange kCapacitySpinRange{Settings::kClipboardCapacitySetting.min,
                                              Settings::kClipboardCapacitySetting.max};
inline constexpr SpinRange kTransparencySpinRange{Settings::kWindowTransparencySetting.min,
                                                  Settings::kWindowTransparencySetting.max};

// What is said beside the capacity field of the text typed into it: nothing for a whole
// number within kCapacitySpinRange; otherwise, in plain words, that the number is not
// taken and which are. The spin would keep its old position without a word.
std::u16string CapacityFieldNote(std::u16string_view typed);

// The items of the "Primary" drop-down list, in list order.
enum EPrimaryHotKeyItem : int {
  kPrimaryNone = 0,
  kPrimaryShiftClick = 1,
  kPrimaryCtrlClick = 2,
  kPrimaryAltClick = 3,
};

// The "Secondary" hot-key control refuses a key without modifiers and a key with
// Shift+Ctrl+Alt (HKCOMB_NONE | HKCOMB_SCA) and gives such an entry Ctrl+Alt instead.
inline constexpr std::uint16_t kSecondaryHotKeyInvalidCombinations = 0x0001 | 0x0080;
inline constexpr std::uint8_t kSecondaryHotKeyReplacementModifiers =
    kHotKeyControlFlagCtrl | kHotKeyControlFlagAlt;

// What the dialog's controls show: one field per control.
struct CSettingsFormValues {
  int windowWidth = 0;                   // UpDownWidth
  int windowHeight = 0;                  // UpDownHeight
  KeyCombination secondaryHotKey = 0;    // SecondaryHotKey
  int quickPasteMode = 0;                // RGQuickPasteMode's selected item, 0 to 2
  int capacity = 0;                      // UpDownCapacity
  bool showMonitor = false;              // CBShowMonitor
  int transparency = 0;                  // UpDownTransparency
  int primaryHotKeyItem = kPrimaryNone;  // CBPriHotKey's selected item
  int pasteMethod = 0;                   // CBPasteMethod's selected item, "PasteMethod" 0 to 3
  KeyCombination pauseHotKey = 0;        // the "Pause capture" hot-key control; 0 for none
  std::vector<std::u16string> excludedPrograms;  // the "Privacy" page's list, in its order
  int forgetAfterHours = 0;                      // 0: never
  bool keepDuplicates = false;                   // "Keep every copy, ..."
  int encryptClips = 0;           // the "Encryption" group's chosen mode, a value of "EncryptClips"
  int theme = 0;                  // "Theme"'s selected item, a value of "Theme" 0 to 2
  KeyCombination listHotKey = 0;  // the "Show list" hot-key control; 0 for none

  bool operator==(const CSettingsFormValues&) const = default;
};

// The stored value's low 16 bits as a signed number (a spin position
// is 16 bits), limited to the range.
int ClampSpinPosition(int stored, SpinRange range);
// The stored value limited to the range, for the capacity, whose spin is 32 bits wide.
int ClampCapacityPosition(int stored);

// The list item that shows a stored "PriHotKeyValue": Shift, Ctrl or Alt with a left
// click; "None" for any other value (Ctrl with the right button, 0x4002, included).
int PrimaryHotKeyItemFromValue(int stored);
// The value stored for a list item: 0x2001, 0x4001, 0x8001, or 0 for "None" (and for an
// item out of range).
int PrimaryHotKeyValueFromItem(int item);

// The transparency edit and spin are usable exactly while the monitor is shown.
inline bool TransparencyEnabled(bool showMonitor) {
  return showMonitor;
}

// The items of the "Paste with" drop-down list, in list order: the values of "PasteMethod".
inline constexpr const char16_t* kPasteMethodItems[] = {
    u"Automatic", u"Ctrl+V keystroke", u"Shift+Insert keystroke", u"Paste message (WM_PASTE)"};

// The items of the "Theme" drop-down list, in list order: the values of "Theme".
inline constexpr const char16_t* kThemeItems[] = {u"Follow Windows", u"Light", u"Dark"};

// Reads the controls' values from the store, at this moment, clamped.
CSettingsFormValues LoadSettingsFormValues(const Settings::CSettingsStorage& store);

// Writes the values, in this order: width, height, "SecHotKeyValue", "QuickPasteMode",
// "ClipboardCapacity", "ClipboardMonitorVisible", "WindowTransparency", "PriHotKeyValue",
// "PasteMethod", "Theme", then in section "Privacy" "PauseHotKeyValue", "ExcludedPrograms",
// "ForgetAfterHours", "KeepDuplicates" and "EncryptClips". Values
// out of their control's range are limited to it first. The excluded programs are written only when
// they differ from the list read now, so that an untouched default list stays the default. Every
// value is tried, also after one that could not be written; the result names those, as the dialog
// calls them, in that order (empty when all were written). They still hold until the program
// closes.
std::vector<std::string> SaveSettingsFormValues(Settings::CSettingsStorage& store,
                                                const CSettingsFormValues& values);

// What OK tells the user when some settings could not be written (UTF-8): which, where
// (`settingsFile`, UTF-8) and that they last until Quillery is closed.
std::string UnsavedSettingsMessage(const std::vector<std::string>& unsaved,
                                   std::string_view settingsFile);

// Which category buttons can act: "Add child" on a top-level row only (nesting is one level
// deep from this dialog), "Edit" and "Delete" on any selected row. "Add" always can.
struct CCategoryButtons {
  bool addChild = false;
  bool edit = false;
  bool remove = false;
  bool operator==(const CCategoryButtons&) const = default;
};
CCategoryButtons CategoryButtonsFor(bool rowSelected, bool rowHasParent);

// What a double click on the category tree does: edit the selected row when it has no
// child rows or is expanded already, otherwise expand it; nothing without a selection.
enum class ECategoryDoubleClick { kNothing, kEdit, kExpand };
ECategoryDoubleClick CategoryDoubleClick(bool rowSelected, bool hasChildRows, bool expanded);

// The delete question for a category: Delete category "Work"?
std::u16string DeleteCategoryQuestion(std::u16string_view caption);

// How one category row is drawn into the row bitmap (pixels; the bitmap is stretched onto
// the row).
struct CSettingsRowLook {
  int band = 1;   // skin band: 3 selected, 2 a child row, 1 a top-level row
  int iconX = 2;  // the category's icon at (iconX, iconY)
  int iconY = 5;
  int textX = 20;  // the name at (textX, textY), with a clear background
  int textY = 5;
  bool bold = true;        // top-level rows
  bool whiteText = false;  // selected rows; black otherwise
  bool operator==(const CSettingsRowLook&) const = default;
};
CSettingsRowLook SettingsRowLook(bool selected, bool hasParent);

// The font size of a row's name, in points.
inline constexpr int kSettingsRowFontPoints = 10;

// The height of the row bitmap at `dpi` dots per inch: trunc(scale x 25 + 1) with scale =
// dpi / 96, or 1 when that is not above 0; 26 at 96.
int SettingsRowBitmapHeight(int dpi);
