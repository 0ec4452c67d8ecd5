#include "foundation/crypto/account_protection.h"

#include <string>

#include "foundation/crypto/crypto_error.h"
#include "platform/windows_api.h"

namespace {

// A blob that the system allocated for the caller; wiped, as it may hold a key, and freed.
class CLocalBlob {
 public:
  CLocalBlob() = default;
  ~CLocalBlob() {
    if (blob.pbData == nullptr) return;
    SecureZeroMemory(blob.pbData, blob.cbData);
    LocalFree(blob.pbData);
  }
  CLocalBlob(const CLocalBlob&) = delete;
  CLocalBlob& operator=(const CLocalBlob&) = delete;

  DATA_BLOB blob{};
};

DATA_BLOB InputBlob(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > 0xFFFFFFFFu) throw CCryptoError("too much data to protect");
  static BYTE emptyProtectInput = 0;
  DATA_BLOB blob{};
  blob.cbData = static_cast<DWORD>(bytes.size());
  blob.pbData = bytes.empty() ? &emptyProtectInput : const_cast<BYTE*>(bytes.data());
  return blob;
}

}  // namespace

bool AccountProtectionAvailable() {
  // Only the system knows whether it can protect for this account; asking it to protect a
  // byte is the sure answer.
  const std::uint8_t probe = 0;
  DATA_BLOB in = InputBlob({&probe, 1});
  CLocalBlob out;
  return CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out.blob) != FALSE;
}

std::vector<std::uint8_t> ProtectForAccount(std::span<const std::uint8_t> secret) {
  DATA_BLOB in = InputBlob(secret);
  CLocalBlob out;
  if (!CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                        &out.blob)) {
    throw CCryptoError("CryptProtectData failed with error " + std::to_string(GetLastError()));
  }
  return {out.blob.pbData, out.blob.pbData + out.blob.cbData};
}

std::optional<CSecretBytes> UnprotectForAccount(std::span<const std::uint8_t> blob) {
  DATA_BLOB in = InputBlob(blob);
  CLocalBlob out;
  if (CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                         &out.blob)) {
    return CSecretBytes({out.blob.pbData, out.blob.cbData});
  }
  const DWORD error = GetLastError();
  // Another account's blob and a damaged one fail alike; only a system that cannot protect
  // at all is an error rather than an answer.
  if (!AccountProtectionAvailable()) {
    throw CCryptoError("CryptUnprotectData failed with error " + std::to_string(error) +
                       ": there is no Windows account to protect with");
  }
  return std::nullopt;
}
