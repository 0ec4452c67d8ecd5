#include "foundation/ini_file.h"

#include <utility>

#include "foundation/file_error.h"
#include "foundation/ini_integer.h"
#include "platform/windows_api.h"

namespace {

// Enough for any value the program writes; longer values take a few more rounds.
constexpr DWORD kFirstBufferSize = 256;
// A value this long cannot be a setting; the read stops growing there.
constexpr DWORD kLargestBufferSize = DWORD{1} << 26;

std::u16string Widen(std::string_view text) {
  std::u16string wide;
  if (text.empty()) return wide;
  const int length = static_cast<int>(text.size());
  wide.resize(
      static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)));
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, AsWide(wide.data()),
                      static_cast<int>(wide.size()));
  return wide;
}

std::string Narrow(std::u16string_view wide) {
  std::string text;
  if (wide.empty()) return text;
  const WCHAR* units = AsWide(wide.data());
  const int length = static_cast<int>(wide.size());
  text.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, units, length, nullptr, 0, nullptr, nullptr)));
  WideCharToMultiByte(CP_ACP, 0, units, length, text.data(), static_cast<int>(text.size()), nullptr,
                      nullptr);
  return text;
}

}  // namespace

TIniFile::TIniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const std::u16string file = fileName_.u16string();
  const std::u16string wideSection = Widen(section);
  const std::u16string wideKey = Widen(key);
  const std::u16string wideDefault = Widen(defaultValue);
  std::u16string buffer(kFirstBufferSize, u'\0');
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD copied = GetPrivateProfileStringW(
        AsWide(wideSection.c_str()), AsWide(wideKey.c_str()), AsWide(wideDefault.c_str()),
        AsWide(buffer.data()), size, AsWide(file.c_str()));
    // A cut value fills the buffer: size - 1 units, or size - 2 when the system also drops
    // a closing quote. Anything shorter is complete.
    if (copied + 2 < size || size >= kLargestBufferSize) {
      buffer.resize(copied);
      return Narrow(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  return ParseIniInteger(ReadString(section, key, "")).value_or(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::u16string file = fileName_.u16string();
  const std::u16string wideSection = Widen(section);
  const std::u16string wideKey = Widen(key);
  const std::u16string wideValue = Widen(value);
  if (!WritePrivateProfileStringW(AsWide(wideSection.c_str()), AsWide(wideKey.c_str()),
                                  AsWide(wideValue.c_str()), AsWide(file.c_str()))) {
    throw CFileError("Cannot write settings file", fileName_);
  }
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}
