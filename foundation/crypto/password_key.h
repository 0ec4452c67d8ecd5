#pragma once
// The key of a password: PBKDF2-HMAC-SHA256 (BCryptDeriveKeyPBKDF2) of the password's UTF-8
// bytes, so that the same password gives the same key on every system.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/crypto/secret_bytes.h"

// The fewest iterations a new key is derived with.
inline constexpr std::uint32_t kPasswordIterations = 600'000;
inline constexpr std::size_t kPasswordSaltBytes = 16;

// A kAesKeyBytes key. Lone surrogates in `password` become U+FFFD before the UTF-8 encoding.
// Throws CCryptoError when the system fails.
CSecretBytes KeyFromPassword(std::u16string_view password, std::span<const std::uint8_t> salt,
                             std::uint32_t iterations);
