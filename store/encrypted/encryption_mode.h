#pragma once
// How the data file and its journal are protected on disk.

#include <cstdint>

enum class EEncryption : std::uint32_t {
  kOff = 0,       // plain files
  kAccount = 1,   // the key is protected by the Windows account (ProtectForAccount)
  kPassword = 2,  // the key is derived from a password (KeyFromPassword)
};
