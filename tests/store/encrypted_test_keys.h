#pragma once
// Keys for tests of the encrypted container, made without the cost of a password's
// derivation: fixed bytes, with the protection a password's key would have.

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "foundation/crypto/password_key.h"
#include "store/encrypted/store_key.h"

inline CStoreKey FixedPasswordKey(std::uint8_t seed = 1) {
  std::array<std::uint8_t, kAesKeyBytes> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
  std::array<std::uint8_t, kPasswordSaltBytes> salt{};
  salt.fill(seed);
  return CStoreKey(EEncryption::kPassword, bytes,
                   EncodePasswordProtection(salt, kPasswordIterations));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
