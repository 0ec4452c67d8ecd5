#pragma once
// "Paste as": a text pasted in another form, the stored clip unchanged. Case mapping is the
// system's (LCMapStringEx, in the user's locale with its linguistic casing), never a table
// of our own.

#include <optional>
#include <string>
#include <string_view>

enum class EPasteAs {
  kPlainText,  // the text alone, without its formats
  kUpperCase,
  kLowerCase,
  kTitleCase,  // each word's first letter upper case, the rest lower case
  kTrimmed,    // no white space at either end, none at the end of any line
  kOneLine,    // the lines joined by single spaces
};

// `text` in the form `as`; none when the system refuses the case mapping.
std::optional<std::u16string> TransformForPaste(std::u16string_view text, EPasteAs as);
