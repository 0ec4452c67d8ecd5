#include "app/window/load_notice.h"

#include <string_view>

namespace {

std::u16string Ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

}  // namespace

std::optional<std::u16string> DamagedFileNotice(const CLoadReport& report) {
  if (!report.damaged) return std::nullopt;
  std::u16string text =
      u"The data file is damaged. Quillery read the clips that came before the damage (at "
      u"byte " +
      Ascii(std::to_string(report.damageOffset)) + u": ";
  // The reason is ASCII text of the reader's own making.
  text += Ascii(report.damageReason) + u") and goes on with them.\n\n";
  if (report.damagedCopy.empty()) {
    text +=
        u"The original file could not be kept, so Quillery will not save over it until "
        u"it can keep a copy of it.";
  } else {
    text += u"The original file is kept unchanged as\n" + report.damagedCopy.u16string();
  }
  return text;
}
