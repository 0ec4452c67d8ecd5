#pragma once
// The checks shared by the calls of the system's cryptography: a failed status becomes a
// CCryptoError that names the call, and an algorithm provider is owned for its lifetime.

#include <cstddef>

#include "platform/windows_api.h"

// The status of BCryptDecrypt when the tag does not match; windows.h leaves the NTSTATUS
// codes out.
inline constexpr NTSTATUS kCngAuthTagMismatch = static_cast<NTSTATUS>(0xC000A002);

// Throws CCryptoError ("BCryptEncrypt failed with status 0xC000000D") unless `status`
// succeeded.
void CheckCngStatus(NTSTATUS status, const char* call);

// A size the system's ULONG counts can hold; throws CCryptoError for a larger one.
ULONG CngSize(std::size_t bytes, const char* what);

// An algorithm provider of BCryptOpenAlgorithmProvider, closed on destruction.
class CCngAlgorithm {
 public:
  // Throws CCryptoError when the system has no such algorithm.
  CCngAlgorithm(LPCWSTR algorithmId, ULONG flags);
  ~CCngAlgorithm();
  CCngAlgorithm(const CCngAlgorithm&) = delete;
  CCngAlgorithm& operator=(const CCngAlgorithm&) = delete;

  BCRYPT_ALG_HANDLE Get() const { return handle_; }
  // Hands the provider over to an owner that closes it.
  BCRYPT_ALG_HANDLE Release();

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};
