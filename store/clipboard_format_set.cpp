#include "store/clipboard_format_set.h"

#include <algorithm>

namespace {

// Room for the formats of one content at the first try; a richer content asks again.
constexpr UINT kFirstRoom = 32;
constexpr UINT kMostRoom = 4096;

}  // namespace

CClipboardFormatSet CClipboardFormatSet::Now() {
  CClipboardFormatSet set;
  std::vector<UINT> formats(kFirstRoom);
  for (;;) {
    UINT count = 0;
    if (GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count)) {
      formats.resize(std::min<std::size_t>(count, formats.size()));
      set.formats_ = std::move(formats);
      set.listed_ = true;
      return set;
    }
    // The count tells the room needed; any other failure leaves the questions to the system.
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || formats.size() >= kMostRoom) return set;
    formats.resize(
        std::min<std::size_t>(std::max<std::size_t>(count, formats.size() * 2), kMostRoom));
  }
}

bool CClipboardFormatSet::Has(UINT format) const {
  if (!listed_) return IsClipboardFormatAvailable(format) != FALSE;
  return std::find(formats_.begin(), formats_.end(), format) != formats_.end();
}

bool CClipboardFormatSet::HasText() const {
  return Has(CF_UNICODETEXT) || Has(CF_TEXT) || Has(CF_OEMTEXT);
}
