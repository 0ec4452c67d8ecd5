#pragma once
// Text as the search compares it: every script's case folded (Unicode's full case folding,
// so "Straße" reads "strasse" and "ΣΊΣΥΦΟΣ" reads "σισυφοσ"), accents dropped ("é" and
// "e" with a combining acute both read "e"), full- and half-width forms plain. Marks that
// belong to a script (Indic vowel signs, kana voicing) are kept. The table comes from the
// Unicode data (make_search_fold_table.cpp), so both builds fold alike.

#include <string>
#include <string_view>

// `text` folded, as UTF-8. An unpaired surrogate becomes U+FFFD.
std::string FoldForSearch(std::u16string_view text);

// Whether the UTF-16 unit separates the words of a query: spaces of every width, tabs and
// line breaks.
bool IsSearchSpace(char16_t unit);
