#pragma once
// One running copy of the program per data folder: the name that the copies using one
// folder share, whatever the spelling of its path.

#include <string>
#include <string_view>

// "Quillery.Instance." and 16 hex digits of a hash of the folder path, in which letter
// case, "/" against "\" and trailing separators do not count.
std::string InstanceNameFor(std::u16string_view dataFolder);
