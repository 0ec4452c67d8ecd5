#include "foundation/crypto/password_key.h"

#include "foundation/crypto/aes_gcm.h"
#include "foundation/crypto/cng_status.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code points of UTF-16 text, with every lone surrogate taken as U+FFFD.
template <typename Visit>
void ForEachCodePoint(std::u16string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      visit(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      visit(kReplacementCharacter);
    } else {
      visit(char32_t{unit});
    }
  }
}

std::size_t Utf8Length(char32_t codePoint) {
  return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// The password's UTF-8 bytes, made here rather than by the system's conversion so that
// they are the same everywhere and are wiped with the rest of the key material.
CSecretBytes PasswordUtf8(std::u16string_view password) {
  std::size_t length = 0;
  ForEachCodePoint(password, [&](char32_t codePoint) { length += Utf8Length(codePoint); });
  CSecretBytes bytes(length);
  std::uint8_t* out = bytes.Data();
  ForEachCodePoint(password, [&](char32_t codePoint) {
    const std::size_t size = Utf8Length(codePoint);
    if (size == 1) {
      *out++ = static_cast<std::uint8_t>(codePoint);
      return;
    }
    static constexpr std::uint8_t kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (std::size_t i = size - 1; i > 0; --i) {
      out[i] = static_cast<std::uint8_t>(0x80 | (codePoint & 0x3F));
      codePoint >>= 6;
    }
    out[0] = static_cast<std::uint8_t>(kLeadMarks[size] | codePoint);
    out += size;
  });
  return bytes;
}

}  // namespace

CSecretBytes KeyFromPassword(std::u16string_view password, std::span<const std::uint8_t> salt,
                             std::uint32_t iterations) {
  CSecretBytes utf8 = PasswordUtf8(password);
  CCngAlgorithm hmac(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
  CSecretBytes key(kAesKeyBytes);
  // Empty inputs are given a real address, which every version of the call accepts.
  static UCHAR emptyPasswordInput = 0;
  auto* passwordBytes = utf8.Size() == 0 ? &emptyPasswordInput : utf8.Data();
  auto* saltBytes = salt.empty() ? &emptyPasswordInput : const_cast<PUCHAR>(salt.data());
  CheckCngStatus(
      BCryptDeriveKeyPBKDF2(hmac.Get(), passwordBytes, CngSize(utf8.Size(), "the password"),
                            saltBytes, CngSize(salt.size(), "the salt"), iterations, key.Data(),
                            static_cast<ULONG>(key.Size()), 0),
      "BCryptDeriveKeyPBKDF2");
  return key;
}
