#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/crypto/cng_status.h"
#include "platform/windows_api.h"

namespace {

constexpr NTSTATUS kCngInvalidHandle = static_cast<NTSTATUS>(0xC0000008);
constexpr NTSTATUS kCngInvalidParameter = static_cast<NTSTATUS>(0xC000000D);
constexpr NTSTATUS kCngBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);

// The answers of the system's calls that the program's checks rest on, asked directly, so
// that the native model is held to what Windows answers.
class CngCallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* mode = BCRYPT_CHAIN_MODE_GCM;
    const auto modeBytes = (std::char_traits<WCHAR>::length(mode) + 1) * sizeof(WCHAR);
    ASSERT_EQ(BCryptSetProperty(aes_.Get(), BCRYPT_CHAINING_MODE,
                                reinterpret_cast<PUCHAR>(const_cast<WCHAR*>(mode)),
                                static_cast<ULONG>(modeBytes), 0),
              0);
    ASSERT_EQ(BCryptGenerateSymmetricKey(aes_.Get(), &key_, nullptr, 0, secret_.data(), 32, 0), 0);
  }
  void TearDown() override { BCryptDestroyKey(key_); }

  NTSTATUS Crypt(bool encrypt, ULONG nonceSize, ULONG tagSize, PUCHAR output, ULONG outputSize,
                 ULONG* result) {
    BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info{};
    info.cbSize = sizeof(info);
    info.dwInfoVersion = BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO_VERSION;
    info.pbNonce = nonce_.data();
    info.cbNonce = nonceSize;
    info.pbTag = tag_.data();
    info.cbTag = tagSize;
    const auto size = static_cast<ULONG>(input_.size());
    return encrypt ? BCryptEncrypt(key_, input_.data(), size, &info, nullptr, 0, output, outputSize,
                                   result, 0)
                   : BCryptDecrypt(key_, input_.data(), size, &info, nullptr, 0, output, outputSize,
                                   result, 0);
  }

  CCngAlgorithm aes_{BCRYPT_AES_ALGORITHM, 0};
  BCRYPT_KEY_HANDLE key_ = nullptr;
  std::vector<UCHAR> secret_ = std::vector<UCHAR>(32, 1);
  std::vector<UCHAR> nonce_ = std::vector<UCHAR>(16, 2);
  std::vector<UCHAR> tag_ = std::vector<UCHAR>(16, 0);
  std::vector<UCHAR> input_ = std::vector<UCHAR>(40, 3);
  std::vector<UCHAR> output_ = std::vector<UCHAR>(40, 0);
};

TEST_F(CngCallsTest, GcmTakesOnlyItsNonceAndTagSizes) {
  ULONG result = 0;
  EXPECT_EQ(Crypt(true, 12, 16, output_.data(), 40, &result), 0);
  EXPECT_EQ(result, 40u);
  EXPECT_EQ(Crypt(true, 12, 12, output_.data(), 40, &result), 0);
  EXPECT_FALSE(BCRYPT_SUCCESS(Crypt(true, 16, 16, output_.data(), 40, &result)));
  EXPECT_FALSE(BCRYPT_SUCCESS(Crypt(true, 8, 16, output_.data(), 40, &result)));
  EXPECT_EQ(Crypt(true, 12, 8, output_.data(), 40, &result), kCngInvalidParameter);
  EXPECT_EQ(Crypt(true, 12, 17, output_.data(), 40, &result), kCngInvalidParameter);
}

TEST_F(CngCallsTest, ANullOutputAsksForTheSizeAndAShortOneIsRefused) {
  ULONG result = 0;
  EXPECT_EQ(Crypt(true, 12, 16, nullptr, 0, &result), 0);
  EXPECT_EQ(result, 40u);
  EXPECT_EQ(Crypt(true, 12, 16, output_.data(), 39, &result), kCngBufferTooSmall);
}

TEST_F(CngCallsTest, AWrongTagIsItsOwnStatus) {
  ULONG result = 0;
  ASSERT_EQ(Crypt(true, 12, 16, output_.data(), 40, &result), 0);
  input_ = output_;
  EXPECT_EQ(Crypt(false, 12, 16, output_.data(), 40, &result), 0);
  EXPECT_EQ(output_, std::vector<UCHAR>(40, 3));
  tag_[0] ^= 1;
  EXPECT_EQ(Crypt(false, 12, 16, output_.data(), 40, &result), kCngAuthTagMismatch);
}

TEST_F(CngCallsTest, KeysAndDerivationsOfWrongSizesAreRefused) {
  BCRYPT_KEY_HANDLE shortKey = nullptr;
  EXPECT_EQ(BCryptGenerateSymmetricKey(aes_.Get(), &shortKey, nullptr, 0, secret_.data(), 20, 0),
            kCngInvalidParameter);
  CCngAlgorithm hmac(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
  UCHAR derived[32] = {};
  EXPECT_EQ(
      BCryptDeriveKeyPBKDF2(hmac.Get(), secret_.data(), 1, nonce_.data(), 1, 0, derived, 32, 0),
      kCngInvalidParameter);
  EXPECT_EQ(
      BCryptDeriveKeyPBKDF2(hmac.Get(), secret_.data(), 1, nonce_.data(), 1, 1, derived, 0, 0),
      kCngInvalidParameter);
  EXPECT_EQ(BCryptGenRandom(nullptr, derived, 32, 0), kCngInvalidHandle);
  BCRYPT_ALG_HANDLE unknown = nullptr;
  EXPECT_FALSE(BCRYPT_SUCCESS(
      BCryptOpenAlgorithmProvider(&unknown, AsWide(u"NoSuchAlgorithm"), nullptr, 0)));
}

}  // namespace
