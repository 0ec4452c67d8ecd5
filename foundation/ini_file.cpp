#include "foundation/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "foundation/ini_integer.h"
#include "platform/handles.h"
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

// Two defaults no stored value can equal at once: a key that gives both back is missing.
constexpr std::u16string_view kAbsentMark = u"\x1F";
constexpr std::u16string_view kOtherAbsentMark = u"\x1E";

bool FitsAnsiCodePage(std::u16string_view text) {
  return Widen(Narrow(text)) == text;
}

// The value as written so that the system's reading (trimmed, enclosing quotes dropped,
// one line) gives `value` back.
std::u16string IniTextValue(std::u16string_view value) {
  std::u16string text(value);
  for (char16_t& unit : text) {
    if (unit == u'\r' || unit == u'\n') unit = u' ';
  }
  if (text.empty()) return text;
  auto blank = [](char16_t unit) { return unit == u' ' || unit == u'\t' || unit == 0x1A; };
  const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
                      text.back() == text.front();
  if (blank(text.front()) || blank(text.back()) || quoted) text = u'"' + text + u'"';
  return text;
}

}  // namespace

TIniFile::TIniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  return Narrow(ReadWide(section, key, Widen(defaultValue)));
}

std::u16string TIniFile::ReadWide(std::string_view section, std::string_view key,
                                  std::u16string_view defaultValue) const {
  const std::u16string file = fileName_.u16string();
  const std::u16string wideSection = Widen(section);
  const std::u16string wideKey = Widen(key);
  const std::u16string wideDefault(defaultValue);
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
      return buffer;
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

std::optional<std::u16string> TIniFile::ReadText(std::string_view section,
                                                 std::string_view key) const {
  std::u16string value = ReadWide(section, key, kAbsentMark);
  if (value == kAbsentMark && ReadWide(section, key, kOtherAbsentMark) == kOtherAbsentMark) {
    return std::nullopt;
  }
  return value;
}

void TIniFile::WriteText(std::string_view section, std::string_view key,
                         std::u16string_view value) {
  const std::u16string text = IniTextValue(value);
  // The system writes a file without a byte-order mark in the ANSI code page, putting '?'
  // for what it lacks, and keeps a UTF-16 file in UTF-16.
  if (!FitsAnsiCodePage(text)) MakeUnicode();
  const std::u16string file = fileName_.u16string();
  const std::u16string wideSection = Widen(section);
  const std::u16string wideKey = Widen(key);
  if (!WritePrivateProfileStringW(AsWide(wideSection.c_str()), AsWide(wideKey.c_str()),
                                  AsWide(text.c_str()), AsWide(file.c_str()))) {
    throw CFileError("Cannot write settings file", fileName_);
  }
}

void TIniFile::MakeUnicode() const {
  std::vector<std::uint8_t> bytes;
  if (FileExists(fileName_)) {
    // Replacing would get round a read-only file, which the system's write then refuses.
    const std::u16string path = fileName_.u16string();
    if (!AdoptFile(CreateFileW(AsWide(path.c_str()), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
      throw CFileError("Cannot write settings file", fileName_);
    }
    try {
      bytes = ReadWholeFile(fileName_, "settings file");
    } catch (const CFileError&) {
      throw CFileError("Cannot write settings file", fileName_);
    }
  }
  const auto hasMark = [&bytes](std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
  };
  if (hasMark({0xFF, 0xFE}) || hasMark({0xFE, 0xFF}) || hasMark({0xEF, 0xBB, 0xBF})) return;
  const std::u16string text =
      u"\xFEFF" +
      Widen(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  std::vector<std::uint8_t> unicode;
  unicode.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    unicode.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    unicode.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  try {
    ReplaceFileSafely(fileName_, unicode, "settings file");
  } catch (const CFileError&) {
    throw CFileError("Cannot write settings file", fileName_);
  }
}
