#include "app/window/single_instance_key.h"

#include <cstdint>
#include <cstdio>

std::string InstanceNameFor(std::u16string_view dataFolder) {
  while (!dataFolder.empty() && (dataFolder.back() == u'\\' || dataFolder.back() == u'/')) {
    dataFolder.remove_suffix(1);
  }
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  auto mix = [&hash](unsigned byte) { hash = (hash ^ byte) * 1099511628211ull; };
  for (char16_t c : dataFolder) {
    if (c == u'/') c = u'\\';
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    // An ASCII folder hashes its bytes, as it always did; other units add both bytes.
    if (c >= 0x80) mix(c >> 8);
    mix(c & 0xFF);
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("Quillery.Instance.") + digits;
}
