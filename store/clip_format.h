#pragma once
// Formats that come with a clip's text and go back with it: the clipboard's registered
// formats of formatted text, kept as the bytes their program gave.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/settings_keys.h"

struct CClipFormat {
  std::u16string name;  // the registered format's name, e.g. "HTML Format"
  std::vector<std::uint8_t> data;
  bool operator==(const CClipFormat&) const = default;
};

// The formats of formatted text that a text clip keeps, in the order they are put back.
inline constexpr const char16_t* kFormattedTextFormats[] = {u"HTML Format", u"Rich Text Format"};

// The "MaxFormatSize" setting (kilobytes, 0 or more as its reader limits it) in bytes: how
// much of such formats one capture keeps at most.
constexpr std::size_t MaxFormatBytesFromSetting(int kilobytes) {
  return static_cast<std::size_t>(kilobytes) * 1024;
}
inline constexpr std::size_t kDefaultMaxFormatBytes =
    MaxFormatBytesFromSetting(Settings::kMaxFormatSizeSetting.defaultValue);

class CByteReader;
class CByteWriter;

// The formats record that follows a text record (data_file_format.h), and reading its
// body, its kind already read. Load throws CRecordError when the record does not hold
// what its size says.
void SaveFormatsRecord(CByteWriter& writer, const std::vector<CClipFormat>& formats);
std::vector<CClipFormat> LoadFormatsRecord(CByteReader& reader);
