// The system's case mapping as "Paste as" calls it (linguistic casing for upper and lower
// case), in a Turkish locale: the dotted and dotless i are the language's own.

#include <gtest/gtest.h>

#include <string>

#include "platform/windows_api.h"

namespace {

std::u16string MapInTurkish(const std::u16string& text, DWORD flags) {
  std::u16string mapped(text.size() * 2, u'\0');
  const int written = LCMapStringEx(L"tr-TR", flags | LCMAP_LINGUISTIC_CASING, AsWide(text.c_str()),
                                    static_cast<int>(text.size()), AsWide(mapped.data()),
                                    static_cast<int>(mapped.size()), nullptr, nullptr, 0);
  mapped.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return mapped;
}

TEST(SystemCaseMappingTest, ATurkishLocaleMapsTheDottedAndTheDotlessI) {
  EXPECT_EQ(MapInTurkish(u"istanbul ılık", LCMAP_UPPERCASE), u"İSTANBUL ILIK");
  EXPECT_EQ(MapInTurkish(u"İSTANBUL ILIK", LCMAP_LOWERCASE), u"istanbul ılık");
}

}  // namespace
