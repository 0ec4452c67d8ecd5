#pragma once
// Bytes of the published test vectors, written in hexadecimal as their sources write them.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

inline std::vector<std::uint8_t> CryptoBytesFromHex(std::string_view hex) {
  auto nibble = [](char c) {
    return static_cast<std::uint8_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
  };
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
  }
  return bytes;
}

inline std::vector<std::uint8_t> CryptoBytes(std::span<const std::uint8_t> bytes) {
  return {bytes.begin(), bytes.end()};
}
