#include "foundation/utf8_text.h"

#include "platform/windows_api.h"

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string wide;
  if (text.empty()) return wide;
  const int length = static_cast<int>(text.size());
  wide.resize(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, AsWide(wide.data()),
                      static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string utf8;
  if (text.empty()) return utf8;
  const WCHAR* units = AsWide(text.data());
  const int length = static_cast<int>(text.size());
  utf8.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, units, length, nullptr, 0, nullptr, nullptr)));
  WideCharToMultiByte(CP_UTF8, 0, units, length, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}
