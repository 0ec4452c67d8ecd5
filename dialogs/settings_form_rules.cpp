#include "dialogs/settings_form_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/program_list.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_reader.h"

namespace {

std::u16string CapacityDecimalText(int value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace

int ClampSpinPosition(int stored, SpinRange range) {
  const auto position = static_cast<std::int16_t>(static_cast<std::uint32_t>(stored) & 0xFFFFu);
  return std::clamp<int>(position, range.min, range.max);
}

int ClampCapacityPosition(int stored) {
  return std::clamp(stored, kCapacitySpinRange.min, kCapacitySpinRange.max);
}

std::u16string CapacityFieldNote(std::u16string_view typed) {
  const std::u16string range = u"type a number of clips from " +
                               CapacityDecimalText(kCapacitySpinRange.min) + u" to " +
                               CapacityDecimalText(kCapacitySpinRange.max) + u".";
  const bool digits = !typed.empty() && std::all_of(typed.begin(), typed.end(), [](char16_t c) {
    return c >= u'0' && c <= u'9';
  });
  if (!digits) return u"T" + range.substr(1);
  const std::size_t first = std::min(typed.find_first_not_of(u'0'), typed.size() - 1);
  const std::u16string number(typed.substr(first));
  // More digits than any number in range is too many, however many there are.
  long long value = 0;
  for (char16_t c : number.substr(0, 12)) value = value * 10 + (c - u'0');
  if (number.size() > 12 || value > kCapacitySpinRange.max)
    return number + u" is too many: " + range;
  if (value < kCapacitySpinRange.min) return number + u" is too few: " + range;
  return {};
}

int PrimaryHotKeyItemFromValue(int stored) {
  switch (stored) {
    case Settings::kPriHotKeyShiftClick:
      return kPrimaryShiftClick;
    case Settings::kPriHotKeyCtrlClick:
      return kPrimaryCtrlClick;
    case Settings::kPriHotKeyAltClick:
      return kPrimaryAltClick;
    default:
      return kPrimaryNone;
  }
}

int PrimaryHotKeyValueFromItem(int item) {
  switch (item) {
    case kPrimaryShiftClick:
      return Settings::kPriHotKeyShiftClick;
    case kPrimaryCtrlClick:
      return Settings::kPriHotKeyCtrlClick;
    case kPrimaryAltClick:
      return Settings::kPriHotKeyAltClick;
    default:
      return Settings::kPriHotKeyNone;
  }
}

CSettingsFormValues LoadSettingsFormValues(const Settings::CSettingsStorage& store) {
  using namespace Settings;
  CSettingsFormValues values;
  // The spin controls hold 16 bits: their values are cut to a spin position before they
  // are limited, so they are read as stored.
  values.windowWidth =
      ClampSpinPosition(ReadSettingAsStored(store, kWindowWidthSetting), kWidthSpinRange);
  values.windowHeight =
      ClampSpinPosition(store.GetWindowHeight(kWindowHeightDialogDefault), kHeightSpinRange);
  values.secondaryHotKey = static_cast<KeyCombination>(ReadSetting(store, kSecHotKeyValueSetting));
  values.quickPasteMode = ReadSetting(store, kQuickPasteModeSetting);
  values.capacity = ClampCapacityPosition(ReadSettingAsStored(store, kClipboardCapacitySetting));
  values.showMonitor =
      ReadSetting(store, kClipboardMonitorVisibleSetting) == kClipboardMonitorShown;
  values.transparency = ClampSpinPosition(ReadSettingAsStored(store, kWindowTransparencySetting),
                                          kTransparencySpinRange);
  values.primaryHotKeyItem = PrimaryHotKeyItemFromValue(ReadSetting(store, kPriHotKeyValueSetting));
  values.pasteMethod = ReadSetting(store, kPasteMethodSetting);
  values.pauseHotKey = static_cast<KeyCombination>(ReadSetting(store, kPauseHotKeyValueSetting));
  values.listHotKey = static_cast<KeyCombination>(ReadSetting(store, kListHotKeyValueSetting));
  values.excludedPrograms = ReadExcludedPrograms(store);
  values.forgetAfterHours = ReadSetting(store, kForgetAfterHoursSetting);
  values.keepDuplicates = ReadSetting(store, kKeepDuplicatesSetting) == kKeepDuplicatesOn;
  values.encryptClips = ReadSettingInRange(store, kEncryptClipsSetting);
  values.theme = ReadSettingInRange(store, kThemeSetting);
  return values;
}

std::vector<std::string> SaveSettingsFormValues(Settings::CSettingsStorage& store,
                                                const CSettingsFormValues& values) {
  using namespace Settings;
  auto limit = [](int value, SpinRange range) { return std::clamp(value, range.min, range.max); };
  std::vector<std::string> unsaved;
  auto note = [&unsaved](bool written, const char* name) {
    if (!written) unsaved.emplace_back(name);
  };
  note(store.SetWindowWidth(limit(values.windowWidth, kWidthSpinRange)), "Popup window width");
  note(store.SetWindowHeight(limit(values.windowHeight, kHeightSpinRange)), "Popup window height");
  note(store.SetInt(kSecHotKeyValue, values.secondaryHotKey), "Secondary hot key");
  note(store.SetInt(kQuickPasteMode, std::clamp(values.quickPasteMode, kQuickPasteModeSetting.min,
                                                kQuickPasteModeSetting.max)),
       "Quick paste");
  note(store.SetInt(kClipboardCapacity, limit(values.capacity, kCapacitySpinRange)),
       "History storage capacity");
  note(store.SetInt(kClipboardMonitorVisible,
                    values.showMonitor ? kClipboardMonitorShown : kClipboardMonitorHidden),
       "Show clipboard monitor");
  note(store.SetInt(kWindowTransparency, limit(values.transparency, kTransparencySpinRange)),
       "Monitor transparency");
  note(store.SetInt(kPriHotKeyValue, PrimaryHotKeyValueFromItem(values.primaryHotKeyItem)),
       "Primary hot key");
  note(store.SetInt(kPasteMethod, std::clamp(values.pasteMethod, kPasteMethodSetting.min,
                                             kPasteMethodSetting.max)),
       "Paste with");
  const bool knownTheme = values.theme >= kThemeSetting.min && values.theme <= kThemeSetting.max;
  note(store.SetInt(kTheme, knownTheme ? values.theme : kThemeSetting.defaultValue), "Theme");
  note(store.SetInt(kListHotKeyValue, values.listHotKey), "Show list hot key");
  note(store.SetInt(kPrivacySection, kPauseHotKeyValue, values.pauseHotKey),
       "Pause capture hot key");
  if (values.excludedPrograms != ReadExcludedPrograms(store)) {
    note(StoreExcludedPrograms(store, values.excludedPrograms), "Excluded programs");
  }
  note(store.SetInt(kPrivacySection, kForgetAfterHours,
                    std::clamp(values.forgetAfterHours, kForgetAfterHoursSetting.min,
                               kForgetAfterHoursSetting.max)),
       "Forget history clips after");
  note(store.SetInt(kPrivacySection, kKeepDuplicates,
                    values.keepDuplicates ? kKeepDuplicatesOn : kKeepDuplicatesOff),
       "Keep every copy");
  const bool knownMode = values.encryptClips >= kEncryptClipsSetting.min &&
                         values.encryptClips <= kEncryptClipsSetting.max;
  note(store.SetInt(kPrivacySection, kEncryptClips,
                    knownMode ? values.encryptClips : kEncryptClipsSetting.defaultValue),
       "Encrypt my clips");
  return unsaved;
}

std::string UnsavedSettingsMessage(const std::vector<std::string>& unsaved,
                                   std::string_view settingsFile) {
  std::string message = "Quillery could not save these settings in ";
  message.append(settingsFile).append(":\n");
  for (const std::string& name : unsaved) message.append("\n    ").append(name);
  message.append(
      "\n\nThey apply until Quillery is closed. To keep them, make that folder writable or run "
      "Quillery from a folder that can be written.");
  return message;
}

CCategoryButtons CategoryButtonsFor(bool rowSelected, bool rowHasParent) {
  return {rowSelected && !rowHasParent, rowSelected, rowSelected};
}

ECategoryDoubleClick CategoryDoubleClick(bool rowSelected, bool hasChildRows, bool expanded) {
  if (!rowSelected) return ECategoryDoubleClick::kNothing;
  if (!hasChildRows || expanded) return ECategoryDoubleClick::kEdit;
  return ECategoryDoubleClick::kExpand;
}

std::u16string DeleteCategoryQuestion(std::u16string_view caption) {
  std::u16string question = u"Delete category \"";
  question += caption;
  question += u"\"?";
  return question;
}

CSettingsRowLook SettingsRowLook(bool selected, bool hasParent) {
  CSettingsRowLook look;
  look.band = selected ? 3 : hasParent ? 2 : 1;
  look.iconX = hasParent ? 16 : 2;
  look.iconY = 5;
  look.textX = hasParent ? 34 : 20;
  look.textY = 5;
  look.bold = !hasParent;
  look.whiteText = selected;
  return look;
}

int SettingsRowBitmapHeight(int dpi) {
  double scale = dpi / 96.0;
  if (!(scale > 0)) scale = 1;
  return static_cast<int>(scale * 25 + 1);
}
