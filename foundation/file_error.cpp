#include "foundation/file_error.h"

#include <utility>

namespace {

// The path as UTF-8. An exception under construction must not throw another, so a path
// that does not convert (a lone surrogate on Windows) is shown as a placeholder.
std::string PathText(const std::filesystem::path& path) {
  try {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  } catch (...) {
    return "<unprintable path>";
  }
}

std::string Message(const std::string& failure, const std::filesystem::path& path,
                    const std::optional<std::uint64_t>& offset, const std::string& reason) {
  std::string message = failure;
  if (offset) {
    message.append(" at offset ").append(std::to_string(*offset));
    if (!path.empty()) message.append(" of ").append(PathText(path));
  } else if (!path.empty()) {
    message.append(" ").append(PathText(path));
  }
  if (!reason.empty()) message.append(": ").append(reason);
  return message;
}

}  // namespace

CFileError::CFileError(std::string failure, std::filesystem::path path)
    : std::runtime_error(Message(failure, path, std::nullopt, {})),
      failure_(std::move(failure)),
      path_(std::move(path)) {}

CFileError::CFileError(std::string failure, std::filesystem::path path, std::uint64_t offset,
                       std::string reason)
    : std::runtime_error(Message(failure, path, offset, reason)),
      failure_(std::move(failure)),
      path_(std::move(path)),
      offset_(offset),
      reason_(std::move(reason)) {}
