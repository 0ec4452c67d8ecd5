// The model's data protection: a blob is sealed with AES-256-GCM under the current
// account's secret and names its account, as the system's names the account's master key,
// so that another account is refused as Windows refuses it and damage fails the tag.
//
// Blob: account number (4 bytes, little-endian) | nonce (12) | cipher | tag (16). The
// optional entropy is the associated data, so that it must be given again to unprotect.

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/sim/sim_state.h"

namespace {

using sim::detail::State;

constexpr std::size_t kAccountBytes = 4;
constexpr std::size_t kNonceBytes = 12;
constexpr std::size_t kTagBytes = 16;
constexpr std::size_t kOverhead = kAccountBytes + kNonceBytes + kTagBytes;
constexpr DWORD kModelledFlags = CRYPTPROTECT_UI_FORBIDDEN;

// Blocks of LocalAlloc that the calls hand out, by address.
std::unordered_map<std::uintptr_t, std::unique_ptr<BYTE[]>>& LocalBlocks() {
  static std::unordered_map<std::uintptr_t, std::unique_ptr<BYTE[]>> blocks;
  return blocks;
}

BYTE* NewLocalBlock(std::size_t bytes) {
  auto block = std::make_unique<BYTE[]>(bytes == 0 ? 1 : bytes);
  BYTE* address = block.get();
  LocalBlocks().emplace(reinterpret_cast<std::uintptr_t>(address), std::move(block));
  return address;
}

struct DpapiCipherFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

// One AES-256-GCM pass; false when libcrypto fails or, decrypting, the tag does not match.
bool SealOrOpen(bool seal, const std::array<std::uint8_t, 32>& secret, const BYTE* nonce,
                const DATA_BLOB* entropy, const BYTE* in, int size, BYTE* out, BYTE* tag) {
  std::unique_ptr<EVP_CIPHER_CTX, DpapiCipherFree> context{EVP_CIPHER_CTX_new()};
  if (!context) return false;
  int written = 0;
  const int init =
      seal ? EVP_EncryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, secret.data(), nonce)
           : EVP_DecryptInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, secret.data(), nonce);
  if (init != 1) return false;
  auto update = [&](BYTE* to, const BYTE* from, int bytes) {
    if (bytes == 0) return true;
    return (seal ? EVP_EncryptUpdate(context.get(), to, &written, from, bytes)
                 : EVP_DecryptUpdate(context.get(), to, &written, from, bytes)) == 1;
  };
  const int entropyBytes = entropy != nullptr ? static_cast<int>(entropy->cbData) : 0;
  if (!update(nullptr, entropy != nullptr ? entropy->pbData : nullptr, entropyBytes) ||
      !update(out, in, size)) {
    return false;
  }
  if (seal) {
    return EVP_EncryptFinal_ex(context.get(), out + size, &written) == 1 &&
           EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, kTagBytes, tag) == 1;
  }
  return EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, kTagBytes, tag) == 1 &&
         EVP_DecryptFinal_ex(context.get(), out + size, &written) == 1;
}

bool ValidCall(const DATA_BLOB* dataIn, PVOID reserved, DWORD flags, const DATA_BLOB* dataOut) {
  return dataIn != nullptr && dataOut != nullptr && reserved == nullptr &&
         (dataIn->pbData != nullptr || dataIn->cbData == 0) && (flags & ~kModelledFlags) == 0 &&
         dataIn->cbData <= 0x7FFFFFFF - kOverhead;
}

}  // namespace

HLOCAL LocalFree(HLOCAL memory) {
  if (memory == nullptr) return nullptr;
  if (LocalBlocks().erase(reinterpret_cast<std::uintptr_t>(memory)) == 0) {
    sim::detail::RecordMisuse("LocalFree of memory that LocalAlloc did not give");
    SetLastError(ERROR_INVALID_HANDLE);
    return memory;
  }
  return nullptr;
}

BOOL CryptProtectData(DATA_BLOB* dataIn, LPCWSTR /*description*/, DATA_BLOB* entropy,
                      PVOID reserved, CRYPTPROTECT_PROMPTSTRUCT* /*prompt*/, DWORD flags,
                      DATA_BLOB* dataOut) {
  if (!ValidCall(dataIn, reserved, flags, dataOut)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto& model = State();
  if (model.currentAccount == 0) {
    SetLastError(ERROR_NO_SUCH_LOGON_SESSION);
    return FALSE;
  }
  const std::size_t size = dataIn->cbData;
  BYTE* blob = NewLocalBlock(size + kOverhead);
  const std::uint32_t account = model.currentAccount;
  for (std::size_t i = 0; i < kAccountBytes; ++i) blob[i] = static_cast<BYTE>(account >> (8 * i));
  BYTE* nonce = blob + kAccountBytes;
  if (RAND_bytes(nonce, kNonceBytes) != 1 ||
      !SealOrOpen(true, model.accountSecrets[account - 1], nonce, entropy, dataIn->pbData,
                  static_cast<int>(size), nonce + kNonceBytes, nonce + kNonceBytes + size)) {
    LocalFree(blob);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  dataOut->pbData = blob;
  dataOut->cbData = static_cast<DWORD>(size + kOverhead);
  return TRUE;
}

BOOL CryptUnprotectData(DATA_BLOB* dataIn, LPWSTR* description, DATA_BLOB* entropy, PVOID reserved,
                        CRYPTPROTECT_PROMPTSTRUCT* /*prompt*/, DWORD flags, DATA_BLOB* dataOut) {
  // The model keeps no descriptions; the program never asks for one.
  if (!ValidCall(dataIn, reserved, flags, dataOut) || description != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto& model = State();
  if (model.currentAccount == 0) {
    SetLastError(ERROR_NO_SUCH_LOGON_SESSION);
    return FALSE;
  }
  if (dataIn->cbData < kOverhead) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  const BYTE* in = dataIn->pbData;
  std::uint32_t account = 0;
  for (std::size_t i = 0; i < kAccountBytes; ++i) account |= std::uint32_t{in[i]} << (8 * i);
  if (account != model.currentAccount) {
    SetLastError(NTE_BAD_KEY_STATE);
    return FALSE;
  }
  const std::size_t size = dataIn->cbData - kOverhead;
  const BYTE* nonce = in + kAccountBytes;
  std::array<BYTE, kTagBytes> tag{};
  std::memcpy(tag.data(), nonce + kNonceBytes + size, kTagBytes);
  BYTE* plain = NewLocalBlock(size);
  if (!SealOrOpen(false, model.accountSecrets[account - 1], nonce, entropy, nonce + kNonceBytes,
                  static_cast<int>(size), plain, tag.data())) {
    SecureZeroMemory(plain, size);
    LocalFree(plain);
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  dataOut->pbData = plain;
  dataOut->cbData = static_cast<DWORD>(size);
  return TRUE;
}

namespace sim {

std::uint32_t SignInNewAccount() {
  auto& model = State();
  std::array<std::uint8_t, 32> secret{};
  RAND_bytes(secret.data(), static_cast<int>(secret.size()));
  model.accountSecrets.push_back(secret);
  model.currentAccount = static_cast<std::uint32_t>(model.accountSecrets.size());
  return model.currentAccount;
}

void SwitchToAccount(std::uint32_t account) {
  auto& model = State();
  if (account == 0 || account > model.accountSecrets.size()) {
    detail::RecordMisuse("SwitchToAccount of an account that was never signed in");
    return;
  }
  model.currentAccount = account;
}

std::size_t LiveCryptoObjects() {
  return detail::LiveCngObjects() + LocalBlocks().size();
}

}  // namespace sim
