// The model's CNG on OpenSSL's libcrypto: algorithm providers and keys are handles of the
// model, checked on every call as the system checks them, and AES-GCM, PBKDF2 and the
// random generator are libcrypto's, which give the same bytes as the system's for the same
// inputs.

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/sim/sim_state.h"

namespace {

enum class CngAlgorithm { kAes, kSha256, kHmacSha256 };

struct CngProvider {
  CngAlgorithm algorithm = CngAlgorithm::kAes;
  bool gcm = false;  // the chaining mode; the system starts AES in CBC, which the model lacks
  int liveKeys = 0;
};

struct CngKey {
  std::uintptr_t provider = 0;
  std::vector<std::uint8_t> secret;
};

struct CngObjects {
  std::unordered_map<std::uintptr_t, CngProvider> providers;
  std::unordered_map<std::uintptr_t, CngKey> keys;
};

CngObjects& Cng() {
  static CngObjects objects;
  return objects;
}

CngProvider* FindProvider(BCRYPT_HANDLE handle) {
  auto found = Cng().providers.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == Cng().providers.end() ? nullptr : &found->second;
}

CngKey* FindKey(BCRYPT_HANDLE handle) {
  auto found = Cng().keys.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == Cng().keys.end() ? nullptr : &found->second;
}

std::u16string_view WideView(LPCWSTR text) {
  return text == nullptr ? std::u16string_view{} : std::u16string_view{text};
}

// A wide string property value: its bytes hold the characters and the terminating null.
std::u16string_view PropertyText(const UCHAR* input, ULONG size) {
  std::u16string_view text{reinterpret_cast<const char16_t*>(input), size / sizeof(char16_t)};
  const auto end = text.find(u'\0');
  return end == std::u16string_view::npos ? text : text.substr(0, end);
}

struct CipherContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree>;

const EVP_CIPHER* GcmCipher(std::size_t keyBytes) {
  switch (keyBytes) {
    case 16:
      return EVP_aes_128_gcm();
    case 24:
      return EVP_aes_192_gcm();
    default:
      return EVP_aes_256_gcm();
  }
}

// libcrypto counts in int; the system's sizes are ULONG.
constexpr std::size_t kLargestUpdate = std::size_t{1} << 30;

bool CipherUpdate(EVP_CIPHER_CTX* context, bool encrypt, std::uint8_t* out, const std::uint8_t* in,
                  std::size_t size) {
  while (size > 0) {
    const int step = static_cast<int>(std::min(size, kLargestUpdate));
    int written = 0;
    const int ok = encrypt ? EVP_EncryptUpdate(context, out, &written, in, step)
                           : EVP_DecryptUpdate(context, out, &written, in, step);
    if (ok != 1) return false;
    if (out != nullptr) out += written;
    in += step;
    size -= static_cast<std::size_t>(step);
  }
  return true;
}

bool ValidAuthInfo(const BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO* info) {
  // GCM in the system takes 96-bit nonces only and tags of 12 to 16 bytes.
  return info != nullptr && info->cbSize == sizeof(BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO) &&
         info->dwInfoVersion == BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO_VERSION &&
         info->pbNonce != nullptr && info->cbNonce == 12 && info->pbTag != nullptr &&
         info->cbTag >= 12 && info->cbTag <= 16 &&
         (info->pbAuthData != nullptr || info->cbAuthData == 0);
}

NTSTATUS RunGcm(BCRYPT_KEY_HANDLE keyHandle, bool encrypt, const UCHAR* input, ULONG inputSize,
                PVOID paddingInfo, UCHAR* output, ULONG outputSize, ULONG* result, ULONG flags) {
  const CngKey* key = FindKey(keyHandle);
  if (key == nullptr) return STATUS_INVALID_HANDLE;
  auto* info = static_cast<BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO*>(paddingInfo);
  // Chained calls (BCRYPT_AUTH_MODE_CHAIN_CALLS_FLAG) are not modelled: one call a message.
  if (!ValidAuthInfo(info) || info->dwFlags != 0 || flags != 0 || result == nullptr ||
      (input == nullptr && inputSize != 0)) {
    return STATUS_INVALID_PARAMETER;
  }
  *result = inputSize;
  if (output == nullptr) return STATUS_SUCCESS;  // the caller asks for the size
  if (outputSize < inputSize) return STATUS_BUFFER_TOO_SMALL;

  CipherContext context{EVP_CIPHER_CTX_new()};
  if (!context) return STATUS_NO_MEMORY;
  const auto* cipher = GcmCipher(key->secret.size());
  const int init =
      encrypt
          ? EVP_EncryptInit_ex(context.get(), cipher, nullptr, key->secret.data(), info->pbNonce)
          : EVP_DecryptInit_ex(context.get(), cipher, nullptr, key->secret.data(), info->pbNonce);
  if (init != 1 ||
      !CipherUpdate(context.get(), encrypt, nullptr, info->pbAuthData, info->cbAuthData) ||
      !CipherUpdate(context.get(), encrypt, output, input, inputSize)) {
    return STATUS_INVALID_PARAMETER;
  }
  int finalBytes = 0;
  if (encrypt) {
    if (EVP_EncryptFinal_ex(context.get(), output + inputSize, &finalBytes) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, static_cast<int>(info->cbTag),
                            info->pbTag) != 1) {
      return STATUS_INVALID_PARAMETER;
    }
    return STATUS_SUCCESS;
  }
  if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, static_cast<int>(info->cbTag),
                          info->pbTag) != 1) {
    return STATUS_INVALID_PARAMETER;
  }
  // The output keeps what was decrypted, as the system gives no promise about it.
  return EVP_DecryptFinal_ex(context.get(), output + inputSize, &finalBytes) == 1
             ? STATUS_SUCCESS
             : STATUS_AUTH_TAG_MISMATCH;
}

}  // namespace

NTSTATUS BCryptOpenAlgorithmProvider(BCRYPT_ALG_HANDLE* algorithm, LPCWSTR algorithmId,
                                     LPCWSTR implementation, ULONG flags) {
  if (algorithm == nullptr || algorithmId == nullptr) return STATUS_INVALID_PARAMETER;
  if (implementation != nullptr) return STATUS_NOT_FOUND;
  const bool hmac = (flags & BCRYPT_ALG_HANDLE_HMAC_FLAG) != 0;
  if ((flags & ~BCRYPT_ALG_HANDLE_HMAC_FLAG) != 0) return STATUS_INVALID_PARAMETER;
  CngProvider provider;
  const auto id = WideView(algorithmId);
  if (id == WideView(BCRYPT_AES_ALGORITHM) && !hmac) {
    provider.algorithm = CngAlgorithm::kAes;
  } else if (id == WideView(BCRYPT_SHA256_ALGORITHM)) {
    provider.algorithm = hmac ? CngAlgorithm::kHmacSha256 : CngAlgorithm::kSha256;
  } else {
    return STATUS_NOT_FOUND;
  }
  const auto handle = sim::detail::NewHandleValue();
  Cng().providers.emplace(handle, provider);
  *algorithm = reinterpret_cast<BCRYPT_ALG_HANDLE>(handle);
  return STATUS_SUCCESS;
}

NTSTATUS BCryptCloseAlgorithmProvider(BCRYPT_ALG_HANDLE algorithm, ULONG flags) {
  const CngProvider* provider = FindProvider(algorithm);
  if (provider == nullptr) return STATUS_INVALID_HANDLE;
  if (flags != 0) return STATUS_INVALID_PARAMETER;
  if (provider->liveKeys > 0) {
    sim::detail::RecordMisuse("BCryptCloseAlgorithmProvider before its keys were destroyed");
  }
  Cng().providers.erase(reinterpret_cast<std::uintptr_t>(algorithm));
  return STATUS_SUCCESS;
}

NTSTATUS BCryptSetProperty(BCRYPT_HANDLE object, LPCWSTR property, PUCHAR input, ULONG inputSize,
                           ULONG flags) {
  CngProvider* provider = FindProvider(object);
  if (provider == nullptr) return FindKey(object) ? STATUS_NOT_SUPPORTED : STATUS_INVALID_HANDLE;
  if (property == nullptr || input == nullptr || flags != 0) return STATUS_INVALID_PARAMETER;
  if (WideView(property) != WideView(BCRYPT_CHAINING_MODE) ||
      provider->algorithm != CngAlgorithm::kAes) {
    return STATUS_NOT_SUPPORTED;
  }
  if (PropertyText(input, inputSize) != WideView(BCRYPT_CHAIN_MODE_GCM)) {
    return STATUS_NOT_SUPPORTED;
  }
  provider->gcm = true;
  return STATUS_SUCCESS;
}

NTSTATUS BCryptGenerateSymmetricKey(BCRYPT_ALG_HANDLE algorithm, BCRYPT_KEY_HANDLE* key,
                                    PUCHAR /*keyObject*/, ULONG /*keyObjectSize*/, PUCHAR secret,
                                    ULONG secretSize, ULONG flags) {
  CngProvider* provider = FindProvider(algorithm);
  if (provider == nullptr) return STATUS_INVALID_HANDLE;
  if (key == nullptr || secret == nullptr || flags != 0) return STATUS_INVALID_PARAMETER;
  if (provider->algorithm != CngAlgorithm::kAes || !provider->gcm) return STATUS_NOT_SUPPORTED;
  if (secretSize != 16 && secretSize != 24 && secretSize != 32) return STATUS_INVALID_PARAMETER;
  const auto handle = sim::detail::NewHandleValue();
  CngKey made;
  made.provider = reinterpret_cast<std::uintptr_t>(algorithm);
  made.secret.assign(secret, secret + secretSize);
  Cng().keys.emplace(handle, std::move(made));
  ++provider->liveKeys;
  *key = reinterpret_cast<BCRYPT_KEY_HANDLE>(handle);
  return STATUS_SUCCESS;
}

NTSTATUS BCryptDestroyKey(BCRYPT_KEY_HANDLE key) {
  CngKey* found = FindKey(key);
  if (found == nullptr) return STATUS_INVALID_HANDLE;
  if (auto* provider = FindProvider(reinterpret_cast<BCRYPT_HANDLE>(found->provider))) {
    --provider->liveKeys;
  }
  SecureZeroMemory(found->secret.data(), found->secret.size());
  Cng().keys.erase(reinterpret_cast<std::uintptr_t>(key));
  return STATUS_SUCCESS;
}

NTSTATUS BCryptEncrypt(BCRYPT_KEY_HANDLE key, PUCHAR input, ULONG inputSize, PVOID paddingInfo,
                       PUCHAR /*iv*/, ULONG /*ivSize*/, PUCHAR output, ULONG outputSize,
                       ULONG* result, ULONG flags) {
  return RunGcm(key, true, input, inputSize, paddingInfo, output, outputSize, result, flags);
}

NTSTATUS BCryptDecrypt(BCRYPT_KEY_HANDLE key, PUCHAR input, ULONG inputSize, PVOID paddingInfo,
                       PUCHAR /*iv*/, ULONG /*ivSize*/, PUCHAR output, ULONG outputSize,
                       ULONG* result, ULONG flags) {
  return RunGcm(key, false, input, inputSize, paddingInfo, output, outputSize, result, flags);
}

NTSTATUS BCryptDeriveKeyPBKDF2(BCRYPT_ALG_HANDLE prf, PUCHAR password, ULONG passwordSize,
                               PUCHAR salt, ULONG saltSize, ULONGLONG iterations, PUCHAR derivedKey,
                               ULONG derivedKeySize, ULONG flags) {
  const CngProvider* provider = FindProvider(prf);
  if (provider == nullptr) return STATUS_INVALID_HANDLE;
  if (provider->algorithm != CngAlgorithm::kHmacSha256 || derivedKey == nullptr ||
      derivedKeySize == 0 || iterations == 0 || flags != 0 ||
      (password == nullptr && passwordSize != 0) || (salt == nullptr && saltSize != 0)) {
    return STATUS_INVALID_PARAMETER;
  }
  // libcrypto counts iterations in int; more than that is far beyond any use.
  if (iterations > INT_MAX || passwordSize > INT_MAX || saltSize > INT_MAX ||
      derivedKeySize > INT_MAX) {
    return STATUS_NOT_SUPPORTED;
  }
  static const unsigned char kNothing = 0;
  const auto* passwordBytes = password != nullptr ? password : &kNothing;
  const auto* saltBytes = salt != nullptr ? salt : &kNothing;
  if (PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(passwordBytes),
                        static_cast<int>(passwordSize), saltBytes, static_cast<int>(saltSize),
                        static_cast<int>(iterations), EVP_sha256(),
                        static_cast<int>(derivedKeySize), derivedKey) != 1) {
    return STATUS_NO_MEMORY;
  }
  return STATUS_SUCCESS;
}

NTSTATUS BCryptGenRandom(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG bufferSize,
                         ULONG flags) {
  if (algorithm != nullptr) return STATUS_NOT_SUPPORTED;  // the model has no RNG providers
  if ((flags & BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0) return STATUS_INVALID_HANDLE;
  if (buffer == nullptr && bufferSize != 0) return STATUS_INVALID_PARAMETER;
  std::size_t remaining = bufferSize;
  while (remaining > 0) {
    const int step = static_cast<int>(std::min(remaining, kLargestUpdate));
    if (RAND_bytes(buffer, step) != 1) return STATUS_NO_MEMORY;
    buffer += step;
    remaining -= static_cast<std::size_t>(step);
  }
  return STATUS_SUCCESS;
}

PVOID SecureZeroMemory(PVOID memory, SIZE_T bytes) {
  if (bytes > 0) OPENSSL_cleanse(memory, bytes);
  return memory;
}

namespace sim::detail {

std::size_t LiveCngObjects() {
  return Cng().providers.size() + Cng().keys.size();
}

}  // namespace sim::detail
