#include "tests/e2e/data_folder_scan.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

using FileBytes = std::vector<char>;

FileBytes Utf16Bytes(std::u16string_view text) {
  FileBytes bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

FileBytes AsciiBytes(std::u16string_view text) {
  FileBytes bytes;
  for (char16_t unit : text) bytes.push_back(static_cast<char>(unit));
  return bytes;
}

bool Holds(const FileBytes& content, const FileBytes& wanted) {
  return std::search(content.begin(), content.end(), wanted.begin(), wanted.end()) != content.end();
}

}  // namespace

std::vector<std::filesystem::path> FilesHolding(const std::filesystem::path& folder,
                                                std::u16string_view text) {
  const FileBytes wide = Utf16Bytes(text);
  const FileBytes narrow = AsciiBytes(text);
  std::vector<std::filesystem::path> holding;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const FileBytes content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (Holds(content, wide) || Holds(content, narrow)) holding.push_back(entry.path());
  }
  return holding;
}
