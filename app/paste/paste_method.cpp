#include "app/paste/paste_method.h"

#include <algorithm>

#include "foundation/settings_reader.h"

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(),
                    [](char16_t a, char16_t b) { return Lower(a) == Lower(b); });
}

}  // namespace

EPasteMethod ReadPasteMethod(const Settings::CSettingsStorage& store) {
  return static_cast<EPasteMethod>(Settings::ReadSetting(store, Settings::kPasteMethodSetting));
}

bool TakesPasteMessage(std::u16string_view windowClass) {
  return (windowClass.size() == 4 && StartsWithIgnoringCase(windowClass, u"edit")) ||
         StartsWithIgnoringCase(windowClass, u"richedit");
}

EPasteWay ChoosePasteWay(EPasteMethod method, std::u16string_view focusClass) {
  switch (method) {
    case EPasteMethod::kCtrlV:
      return EPasteWay::kCtrlV;
    case EPasteMethod::kShiftInsert:
      return EPasteWay::kShiftInsert;
    case EPasteMethod::kMessage:
      return EPasteWay::kMessage;
    case EPasteMethod::kAutomatic:
      break;
  }
  return TakesPasteMessage(focusClass) ? EPasteWay::kMessage : EPasteWay::kCtrlV;
}
