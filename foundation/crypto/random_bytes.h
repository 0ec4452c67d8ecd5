#pragma once
// Random bytes from the system's preferred generator (BCryptGenRandom), for keys, salts and
// nonces.

#include <cstdint>
#include <span>

// Throws CCryptoError when the system gives none.
void FillRandom(std::span<std::uint8_t> out);
