#pragma once
// The fixed key of the encrypted container's fuzzer and of its seeds, and the plain source
// of the fuzzer's bytes.

#include <array>
#include <cstdint>
#include <cstring>

#include "foundation/byte_reader.h"
#include "foundation/crypto/password_key.h"
#include "store/encrypted/store_key.h"

inline CStoreKey EncryptedFuzzKey() {
  std::array<std::uint8_t, kAesKeyBytes> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
  std::array<std::uint8_t, kPasswordSaltBytes> salt{};
  salt.fill(0x5A);
  return CStoreKey(EEncryption::kPassword, bytes,
                   EncodePasswordProtection(salt, kPasswordIterations));
}

// Bytes in memory as a CByteSource, as a file would give them.
class CMemoryByteSource : public CByteSource {
 public:
  CMemoryByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
    if (offset >= size_) return 0;
    const std::size_t step =
        count < size_ - offset ? count : static_cast<std::size_t>(size_ - offset);
    std::memcpy(out, data_ + offset, step);
    return step;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};
