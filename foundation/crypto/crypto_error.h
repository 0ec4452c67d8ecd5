#pragma once
// CCryptoError: a call of the system's cryptography failed ("BCryptEncrypt failed with status
// 0xC000000D"), or is missing where the program runs (no Windows account to protect a key).

#include <stdexcept>
#include <string>

class CCryptoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
