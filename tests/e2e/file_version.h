#pragma once
// The version information of an executable as Explorer's file properties show it.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

// A text of the U.S. English, Unicode table ("ProductVersion", "FileDescription", ...);
// nullopt when the file or the text is missing.
std::optional<std::u16string> FileVersionText(const std::filesystem::path& file,
                                              const wchar_t* name);

// The four numbers of the fixed part's file version; nullopt without version information.
std::optional<std::array<int, 4>> FileVersionNumbers(const std::filesystem::path& file);
