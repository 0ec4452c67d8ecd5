#include "foundation/crypto/aes_gcm.h"

#include <string>
#include <utility>

#include "foundation/crypto/cng_status.h"
#include "foundation/crypto/crypto_error.h"

namespace {

// The API takes non-const pointers for buffers it only reads. An empty buffer is given a
// real address: a null output asks BCryptEncrypt for the size alone, without the tag.
PUCHAR GcmBuffer(std::span<const std::uint8_t> bytes) {
  static UCHAR emptyGcmBuffer = 0;
  return bytes.empty() ? &emptyGcmBuffer : const_cast<PUCHAR>(bytes.data());
}

BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO GcmModeInfo(std::span<const std::uint8_t> nonce,
                                                  std::span<const std::uint8_t> aad,
                                                  std::uint8_t* tag) {
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info{};
  info.cbSize = sizeof(info);
  info.dwInfoVersion = BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO_VERSION;
  info.pbNonce = const_cast<PUCHAR>(nonce.data());
  info.cbNonce = static_cast<ULONG>(nonce.size());
  info.pbAuthData = aad.empty() ? nullptr : const_cast<PUCHAR>(aad.data());
  info.cbAuthData = CngSize(aad.size(), "the associated data");
  info.pbTag = tag;
  info.cbTag = static_cast<ULONG>(kGcmTagBytes);
  return info;
}

void CheckSameSize(std::size_t in, std::size_t out) {
  if (in != out) {
    throw CCryptoError("AES-GCM input of " + std::to_string(in) + " bytes and output of " +
                       std::to_string(out) + " bytes");
  }
}

}  // namespace

CAesGcmKey::CAesGcmKey(std::span<const std::uint8_t> key) {
  if (key.size() != kAesKeyBytes) {
    throw CCryptoError("an AES-256 key of " + std::to_string(key.size()) + " bytes");
  }
  CCngAlgorithm algorithm(BCRYPT_AES_ALGORITHM, 0);
  const auto* mode = BCRYPT_CHAIN_MODE_GCM;
  const auto modeBytes = (std::char_traits<WCHAR>::length(mode) + 1) * sizeof(WCHAR);
  CheckCngStatus(BCryptSetProperty(algorithm.Get(), BCRYPT_CHAINING_MODE,
                                   reinterpret_cast<PUCHAR>(const_cast<WCHAR*>(mode)),
                                   static_cast<ULONG>(modeBytes), 0),
                 "BCryptSetProperty");
  BCRYPT_KEY_HANDLE made = nullptr;
  CheckCngStatus(
      BCryptGenerateSymmetricKey(algorithm.Get(), &made, nullptr, 0, const_cast<PUCHAR>(key.data()),
                                 static_cast<ULONG>(key.size()), 0),
      "BCryptGenerateSymmetricKey");
  key_ = made;
  algorithm_ = algorithm.Release();
}

CAesGcmKey::~CAesGcmKey() {
  Release();
}

CAesGcmKey::CAesGcmKey(CAesGcmKey&& other) noexcept
    : algorithm_(std::exchange(other.algorithm_, nullptr)),
      key_(std::exchange(other.key_, nullptr)),
      calls_(std::move(other.calls_)) {}

CAesGcmKey& CAesGcmKey::operator=(CAesGcmKey&& other) noexcept {
  if (this != &other) {
    Release();
    algorithm_ = std::exchange(other.algorithm_, nullptr);
    key_ = std::exchange(other.key_, nullptr);
    calls_ = std::move(other.calls_);
  }
  return *this;
}

void CAesGcmKey::Release() {
  // The key goes before the provider it was made from.
  if (key_ != nullptr) BCryptDestroyKey(std::exchange(key_, nullptr));
  if (algorithm_ != nullptr) BCryptCloseAlgorithmProvider(std::exchange(algorithm_, nullptr), 0);
}

void CAesGcmKey::Seal(std::span<const std::uint8_t, kGcmNonceBytes> nonce,
                      std::span<const std::uint8_t> aad, std::span<const std::uint8_t> plain,
                      std::span<std::uint8_t> cipher,
                      std::span<std::uint8_t, kGcmTagBytes> tag) const {
  CheckSameSize(plain.size(), cipher.size());
  const std::lock_guard lock(*calls_);
  auto info = GcmModeInfo(nonce, aad, tag.data());
  const ULONG size = CngSize(plain.size(), "the plain text");
  ULONG written = 0;
  CheckCngStatus(BCryptEncrypt(key_, GcmBuffer(plain), size, &info, nullptr, 0, GcmBuffer(cipher),
                               size, &written, 0),
                 "BCryptEncrypt");
  if (written != size) throw CCryptoError("BCryptEncrypt gave a cipher text of another size");
}

bool CAesGcmKey::Open(std::span<const std::uint8_t, kGcmNonceBytes> nonce,
                      std::span<const std::uint8_t> aad, std::span<const std::uint8_t> cipher,
                      std::span<const std::uint8_t, kGcmTagBytes> tag,
                      std::span<std::uint8_t> plain) const {
  CheckSameSize(cipher.size(), plain.size());
  const std::lock_guard lock(*calls_);
  auto info = GcmModeInfo(nonce, aad, const_cast<std::uint8_t*>(tag.data()));
  const ULONG size = CngSize(cipher.size(), "the cipher text");
  ULONG written = 0;
  const NTSTATUS status = BCryptDecrypt(key_, GcmBuffer(cipher), size, &info, nullptr, 0,
                                        GcmBuffer(plain), size, &written, 0);
  if (BCRYPT_SUCCESS(status) && written == size) return true;
  // Nothing of a text that failed its tag may be used, whatever the system left there.
  if (!plain.empty()) SecureZeroMemory(plain.data(), plain.size());
  if (status == kCngAuthTagMismatch) return false;
  CheckCngStatus(status, "BCryptDecrypt");
  throw CCryptoError("BCryptDecrypt gave a plain text of another size");
}
