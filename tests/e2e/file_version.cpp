#include "tests/e2e/file_version.h"

#include <vector>

#include "platform/windows_api.h"

namespace {

std::vector<unsigned char> VersionBlock(const std::filesystem::path& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return {};
  return block;
}

}  // namespace

std::optional<std::u16string> FileVersionText(const std::filesystem::path& file,
                                              const wchar_t* name) {
  std::vector<unsigned char> block = VersionBlock(file);
  if (block.empty()) return std::nullopt;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &text, &length) || text == nullptr) {
    return std::nullopt;
  }
  std::u16string value(static_cast<const char16_t*>(text), length);
  while (!value.empty() && value.back() == u'\0') value.pop_back();
  return value;
}

std::optional<std::array<int, 4>> FileVersionNumbers(const std::filesystem::path& file) {
  std::vector<unsigned char> block = VersionBlock(file);
  if (block.empty()) return std::nullopt;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  return std::array<int, 4>{static_cast<int>(HIWORD(info->dwFileVersionMS)),
                            static_cast<int>(LOWORD(info->dwFileVersionMS)),
                            static_cast<int>(HIWORD(info->dwFileVersionLS)),
                            static_cast<int>(LOWORD(info->dwFileVersionLS))};
}
