#include "app/window/single_instance_key.h"

#include <cstdint>
#include <cstdio>

std::string InstanceNameFor(std::string_view dataFolder) {
  while (!dataFolder.empty() && (dataFolder.back() == '\\' || dataFolder.back() == '/')) {
    dataFolder.remove_suffix(1);
  }
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : dataFolder) {
    if (c == '/') c = '\\';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("Quillery.Instance.") + digits;
}
