#pragma once
// Files as the tests put them down and read them back, byte for byte.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

inline void PutFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// How many copies of `file` are kept beside it for `why` ("damaged", "unreadable"): the
// program names them "<file>.<why>-<time>".
inline int CopiesBeside(const std::filesystem::path& file, const std::string& why) {
  const std::string prefix = file.filename().string() + "." + why + "-";
  int copies = 0;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
    copies += entry.path().filename().string().starts_with(prefix);
  }
  return copies;
}
