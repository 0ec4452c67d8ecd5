#pragma once
// Reading the process's environment.

#include <string>
#include <string_view>

// Variables longer than this (with the terminator) read as empty.
inline constexpr unsigned kEnvironmentBufferSize = 4096;

// The variable's value in the ANSI code page; empty when it is not set, empty, or 4096
// characters or longer. `name` is cut at an embedded NUL, as the system would read it.
std::string ReadEnvironmentVariable(std::string_view name = {});

// The same in UTF-16, for values that name folders: every character of the value survives,
// whatever the ANSI code page can show.
std::u16string ReadWideEnvironmentVariable(std::u16string_view name);
