#pragma once
// Protection of a key by the current Windows account (CryptProtectData for the current user,
// without any user interface): only that account, on a system that holds its secrets, can
// take the key out again.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "foundation/crypto/secret_bytes.h"

// False where there is no Windows account to protect with (the native build's model, unless
// a test gives it one).
bool AccountProtectionAvailable();
// The protected form of `secret`. Throws CCryptoError when the system refuses.
std::vector<std::uint8_t> ProtectForAccount(std::span<const std::uint8_t> secret);
// The secret back; none when `blob` was protected by another account or is damaged. Throws
// CCryptoError when there is no account to ask.
std::optional<CSecretBytes> UnprotectForAccount(std::span<const std::uint8_t> blob);
