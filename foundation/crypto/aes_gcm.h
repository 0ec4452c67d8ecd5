#pragma once
// CAesGcmKey: AES-256 in GCM mode through the system's cryptography (CNG), with a 96-bit
// nonce and a 128-bit tag. The key object is the system's; the bytes it was made from are
// not kept.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

inline constexpr std::size_t kAesKeyBytes = 32;
inline constexpr std::size_t kGcmNonceBytes = 12;
inline constexpr std::size_t kGcmTagBytes = 16;

class CAesGcmKey {
 public:
  // `key` is kAesKeyBytes long. Throws CCryptoError when the system refuses it.
  explicit CAesGcmKey(std::span<const std::uint8_t> key);
  ~CAesGcmKey();
  CAesGcmKey(CAesGcmKey&& other) noexcept;
  CAesGcmKey& operator=(CAesGcmKey&& other) noexcept;
  CAesGcmKey(const CAesGcmKey&) = delete;
  CAesGcmKey& operator=(const CAesGcmKey&) = delete;

  // Encrypts `plain` into `cipher` (of the same size; may be empty) and writes the tag that
  // covers both `cipher` and `aad`. Throws CCryptoError when the system fails.
  void Seal(std::span<const std::uint8_t, kGcmNonceBytes> nonce, std::span<const std::uint8_t> aad,
            std::span<const std::uint8_t> plain, std::span<std::uint8_t> cipher,
            std::span<std::uint8_t, kGcmTagBytes> tag) const;
  // Decrypts `cipher` into `plain` (of the same size). False, with `plain` zeroed, when the
  // tag does not match: damage, other associated data, or another key.
  bool Open(std::span<const std::uint8_t, kGcmNonceBytes> nonce, std::span<const std::uint8_t> aad,
            std::span<const std::uint8_t> cipher, std::span<const std::uint8_t, kGcmTagBytes> tag,
            std::span<std::uint8_t> plain) const;

 private:
  void Release();

  void* algorithm_ = nullptr;  // BCRYPT_ALG_HANDLE
  void* key_ = nullptr;        // BCRYPT_KEY_HANDLE
  // One call at a time: the saving thread and the journal's share a key, and a key object
  // of the system may keep state between the calls of one operation.
  std::unique_ptr<std::mutex> calls_ = std::make_unique<std::mutex>();
};
