#include "foundation/crypto/cng_status.h"

#include <cstdio>
#include <string>
#include <utility>

#include "foundation/crypto/crypto_error.h"

void CheckCngStatus(NTSTATUS status, const char* call) {
  if (BCRYPT_SUCCESS(status)) return;
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
  throw CCryptoError(std::string(call) + " failed with status " + code);
}

ULONG CngSize(std::size_t bytes, const char* what) {
  if (bytes > 0xFFFFFFFFu) throw CCryptoError(std::string(what) + " is too large to encrypt");
  return static_cast<ULONG>(bytes);
}

CCngAlgorithm::CCngAlgorithm(LPCWSTR algorithmId, ULONG flags) {
  CheckCngStatus(BCryptOpenAlgorithmProvider(&handle_, algorithmId, nullptr, flags),
                 "BCryptOpenAlgorithmProvider");
}

CCngAlgorithm::~CCngAlgorithm() {
  if (handle_ != nullptr) BCryptCloseAlgorithmProvider(handle_, 0);
}

BCRYPT_ALG_HANDLE CCngAlgorithm::Release() {
  return std::exchange(handle_, nullptr);
}
