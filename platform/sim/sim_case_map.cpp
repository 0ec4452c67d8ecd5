// The model's LCMapStringEx, for case mapping only (see sim_windows.h for what it leaves out).

#include <locale.h>
#include <wctype.h>

#include <string>
#include <string_view>

#include "platform/sim/sim_state.h"

namespace {

constexpr DWORD kCaseFlags = LCMAP_LOWERCASE | LCMAP_UPPERCASE;  // both set: title case

locale_t CaseLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  return locale;
}

bool TurkicCasing(LPCWSTR localeName, DWORD flags) {
  if ((flags & LCMAP_LINGUISTIC_CASING) == 0) return false;
  const std::u16string name =
      localeName == nullptr ? sim::detail::State().userLocale : std::u16string(localeName);
  const std::u16string_view language = std::u16string_view(name).substr(0, name.find(u'-'));
  return language == u"tr" || language == u"az";
}

char32_t MapCodePoint(char32_t point, bool upper, bool turkic) {
  if (turkic) {
    if (upper && point == U'i') return U'\u0130';
    if (!upper && point == U'I') return U'\u0131';
  }
  const wint_t mapped = upper ? towupper_l(static_cast<wint_t>(point), CaseLocale())
                              : towlower_l(static_cast<wint_t>(point), CaseLocale());
  return static_cast<char32_t>(mapped);
}

bool StartsWord(char32_t previous) {
  return previous == 0 || !iswalnum_l(static_cast<wint_t>(previous), CaseLocale());
}

void AppendCodePoint(std::u16string& text, char32_t point) {
  if (point < 0x10000) {
    text.push_back(static_cast<char16_t>(point));
  } else {
    point -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
  }
}

}  // namespace

namespace sim {

void SetUserLocaleName(const std::u16string& name) {
  detail::State().userLocale = name;
}

}  // namespace sim

int LCMapStringEx(LPCWSTR localeName, DWORD mapFlags, LPCWSTR source, int sourceLength,
                  LPWSTR destination, int destinationSize, LPNLSVERSIONINFO versionInformation,
                  LPVOID reserved, LPARAM sortHandle) {
  const DWORD caseFlags = mapFlags & kCaseFlags;
  // Linguistic casing goes with upper or lower case only.
  if (caseFlags == 0 || (mapFlags & ~(kCaseFlags | LCMAP_LINGUISTIC_CASING)) != 0 ||
      (caseFlags == LCMAP_TITLECASE && (mapFlags & LCMAP_LINGUISTIC_CASING) != 0)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationSize < 0 ||
      (destination == nullptr && destinationSize != 0) || versionInformation != nullptr ||
      reserved != nullptr || sortHandle != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // -1: the text ends at its terminator, which is mapped and counted too.
  const std::u16string_view text =
      sourceLength == -1
          ? std::u16string_view(source, std::char_traits<char16_t>::length(source) + 1)
          : std::u16string_view(source, static_cast<std::size_t>(sourceLength));
  const bool turkic = TurkicCasing(localeName, mapFlags);
  std::u16string mapped;
  char32_t previous = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t point = text[at];
    const bool pair = point >= 0xD800 && point < 0xDC00 && at + 1 < text.size() &&
                      text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
    if (pair) point = 0x10000 + ((point - 0xD800) << 10) + (text[++at] - 0xDC00);
    // An unpaired surrogate is no letter: it stays as it is.
    const bool lone = !pair && point >= 0xD800 && point < 0xE000;
    char32_t result = point;
    if (!lone && caseFlags == LCMAP_UPPERCASE) result = MapCodePoint(point, true, turkic);
    if (!lone && caseFlags == LCMAP_LOWERCASE) result = MapCodePoint(point, false, turkic);
    if (!lone && caseFlags == LCMAP_TITLECASE && StartsWord(previous)) {
      result = MapCodePoint(point, true, turkic);
    }
    AppendCodePoint(mapped, result);
    previous = lone ? 0 : point;
  }
  if (destinationSize == 0) return static_cast<int>(mapped.size());
  if (mapped.size() > static_cast<std::size_t>(destinationSize)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  mapped.copy(destination, mapped.size());
  return static_cast<int>(mapped.size());
}
