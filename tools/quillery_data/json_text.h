#pragma once
// Texts of the data file are UTF-16 and may hold unpaired surrogates (a clip copied from a
// program that cut a pair in half). Neither UTF-8 nor nlohmann-json can carry those, so the
// texts of a document take a step of their own in both directions: written, each unpaired
// surrogate becomes a \uXXXX escape; read, such escapes are shielded from the parser, which
// would refuse them, and restored in the parsed string.

#include <optional>
#include <string>
#include <string_view>

// The JSON string token, quotes included, that holds `text`: UTF-8, with the quote, the
// backslash and control characters escaped and each unpaired surrogate as \udxxx.
std::string JsonStringToken(std::u16string_view text);

// `json` with the escapes inside string tokens that the parser would refuse or that the
// shield itself uses rewritten: an unpaired surrogate escape \uXXXX becomes \u0000 followed
// by the four hex digits, an escaped NUL becomes two. Everything else, malformed JSON
// included, is left as it is for the parser to judge.
std::string ShieldSurrogateEscapes(std::string_view json);

// The UTF-16 text of a string that the parser read from shielded JSON, with the shielded
// surrogates and NULs restored. None when it is not UTF-8 or holds a NUL that the shield
// did not make.
std::optional<std::u16string> TextFromParsedString(std::string_view utf8);
