#pragma once
// The model's reading of ini text as the system reads it: white space, names compared
// without regard to ASCII case, and the file's encodings.

#include <string>
#include <string_view>

#include "platform/sim/sim_windows.h"

namespace sim::detail {

// ^Z, the old DOS end-of-file mark, counts as white space; a no-break space does not.
bool IsProfileSpace(char16_t c);
std::u16string_view TrimLeft(std::u16string_view text);
std::u16string_view Trim(std::u16string_view text);

// Names and values are C strings to the system: whatever follows a NUL is lost.
std::u16string_view UpToNul(std::u16string_view text);

// Section and key names compare without regard to ASCII case only, as Wine's do.
char16_t FoldCase(char16_t c);
bool SameName(std::u16string_view a, std::u16string_view b);

// A string argument of the calls; empty for NULL.
std::u16string_view View(LPCWSTR text);

// A file's text: UTF-8 or UTF-16 after a byte-order mark, the ANSI code page otherwise.
enum class Encoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };
std::u16string Decode(std::string_view bytes, Encoding encoding);
std::string Encode(std::u16string_view text, Encoding encoding);

}  // namespace sim::detail
