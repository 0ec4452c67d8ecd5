#pragma once
// UTF-8 and UTF-16, the two encodings of the program's texts: messages are UTF-8 (they carry
// paths, file_error.h), the system's wide calls take UTF-16.

#include <string>
#include <string_view>

// Invalid sequences become U+FFFD, as the system converts them.
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);
