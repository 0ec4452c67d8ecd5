#pragma once
// Integer values of ini files, read as the class library's ini reader reads them.

#include <optional>
#include <string_view>

// The integer that `text` holds: after spaces and tabs are trimmed, an optional sign, then
// either decimal digits that fit a 32-bit signed int, or hexadecimal digits after "$",
// "0x" or "0X" whose value fits 32 bits (above 0x7FFFFFFF it wraps to a negative int, as
// the bits read back as a signed int). Empty, trailing text or overflow: no value.
std::optional<int> ParseIniInteger(std::string_view text);
