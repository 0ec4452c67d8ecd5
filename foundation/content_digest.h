#pragma once
// CContentDigest: a 64-bit digest of a file's content, to tell whether a file is the very
// one something was written against. Not a checksum against an attacker: a fast hash of
// 64 KiB blocks, the same however the bytes are split into calls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class CContentDigest {
 public:
  void Add(std::span<const std::uint8_t> bytes);
  // The digest of all bytes added so far.
  std::uint64_t Value() const;
  std::uint64_t Length() const { return length_; }

 private:
  static constexpr std::size_t kBlockBytes = std::size_t{64} << 10;
  void AddBlock(const std::uint8_t* block, std::size_t count);

  std::uint64_t hash_ = 0x6A09E667F3BCC908ull;
  std::uint64_t length_ = 0;
  std::size_t filled_ = 0;
  std::array<std::uint8_t, kBlockBytes> block_{};
};
