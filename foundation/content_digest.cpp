#include "foundation/content_digest.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

namespace {

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  hash = (hash ^ value) * 0x9E3779B97F4A7C15ull;
  return hash ^ (hash >> 29);
}

std::uint64_t HashOf(const std::uint8_t* bytes, std::size_t count) {
  // The standard library's hash of a byte string: fast, and the same in every run.
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(bytes), count));
}

}  // namespace

void CContentDigest::AddBlock(const std::uint8_t* block, std::size_t count) {
  hash_ = Mix(hash_, HashOf(block, count));
}

void CContentDigest::Add(std::span<const std::uint8_t> bytes) {
  length_ += bytes.size();
  while (!bytes.empty()) {
    if (filled_ == 0 && bytes.size() >= kBlockBytes) {  // whole blocks need no copy
      AddBlock(bytes.data(), kBlockBytes);
      bytes = bytes.subspan(kBlockBytes);
      continue;
    }
    const std::size_t step = std::min(bytes.size(), kBlockBytes - filled_);
    std::memcpy(block_.data() + filled_, bytes.data(), step);
    filled_ += step;
    bytes = bytes.subspan(step);
    if (filled_ == kBlockBytes) {
      AddBlock(block_.data(), kBlockBytes);
      filled_ = 0;
    }
  }
}

std::uint64_t CContentDigest::Value() const {
  return Mix(Mix(hash_, HashOf(block_.data(), filled_)), length_);
}
