#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "foundation/crypto/aes_gcm.h"
#include "foundation/crypto/crypto_error.h"
#include "foundation/crypto/random_bytes.h"
#include "tests/foundation/crypto_test_bytes.h"

namespace {

// McGrew and Viega's GCM test case 16: AES-256 with associated data and a plain text that
// is not a whole number of blocks.
struct GcmVector {
  std::vector<std::uint8_t> key =
      CryptoBytesFromHex("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308");
  std::vector<std::uint8_t> nonce = CryptoBytesFromHex("cafebabefacedbaddecaf888");
  std::vector<std::uint8_t> aad = CryptoBytesFromHex("feedfacedeadbeeffeedfacedeadbeefabaddad2");
  std::vector<std::uint8_t> plain = CryptoBytesFromHex(
      "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
      "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b39");
  std::vector<std::uint8_t> cipher = CryptoBytesFromHex(
      "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
      "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662");
  std::vector<std::uint8_t> tag = CryptoBytesFromHex("76fc6ece0f4e1768cddf8853bb2d551b");
};

std::span<const std::uint8_t, kGcmNonceBytes> NonceOf(const std::vector<std::uint8_t>& bytes) {
  return std::span<const std::uint8_t, kGcmNonceBytes>(bytes.data(), kGcmNonceBytes);
}
std::span<std::uint8_t, kGcmTagBytes> TagOf(std::vector<std::uint8_t>& bytes) {
  return std::span<std::uint8_t, kGcmTagBytes>(bytes.data(), kGcmTagBytes);
}

class AesGcmTest : public ::testing::Test {
 protected:
  // Opens the vector with one of its parts changed; the output starts non-zero so that a
  // refusal that leaves anything in it is seen.
  bool OpenChanged(const GcmVector& changed, std::vector<std::uint8_t>* plain) {
    CAesGcmKey key(changed.key);
    plain->assign(changed.cipher.size(), 0xAA);
    return key.Open(NonceOf(changed.nonce), changed.aad, changed.cipher,
                    std::span<const std::uint8_t, kGcmTagBytes>(changed.tag.data(), kGcmTagBytes),
                    *plain);
  }

  GcmVector vector_;
};

TEST_F(AesGcmTest, SealsThePublishedVectorWithAssociatedData) {
  CAesGcmKey key(vector_.key);
  std::vector<std::uint8_t> cipher(vector_.plain.size());
  std::vector<std::uint8_t> tag(kGcmTagBytes);
  key.Seal(NonceOf(vector_.nonce), vector_.aad, vector_.plain, cipher, TagOf(tag));
  EXPECT_EQ(cipher, vector_.cipher);
  EXPECT_EQ(tag, vector_.tag);
}

TEST_F(AesGcmTest, OpensThePublishedVector) {
  std::vector<std::uint8_t> plain;
  ASSERT_TRUE(OpenChanged(vector_, &plain));
  EXPECT_EQ(plain, vector_.plain);
}

TEST_F(AesGcmTest, EveryFlippedBitFailsOpenAndLeavesZeros) {
  const std::vector<std::uint8_t> zeros(vector_.cipher.size(), 0);
  auto expectRefused = [&](GcmVector changed, const char* what) {
    std::vector<std::uint8_t> plain;
    EXPECT_FALSE(OpenChanged(changed, &plain)) << what;
    EXPECT_EQ(plain, zeros) << what;
  };
  for (std::size_t bit : {0u, 7u, 100u, 8 * 59u + 7u}) {
    GcmVector changed = vector_;
    changed.cipher[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    expectRefused(changed, "cipher");
  }
  for (std::size_t i : {0u, 15u}) {
    GcmVector changedTag = vector_;
    changedTag.tag[i] ^= 0x01;
    expectRefused(changedTag, "tag");
    GcmVector changedNonce = vector_;
    changedNonce.nonce[i % kGcmNonceBytes] ^= 0x80;
    expectRefused(changedNonce, "nonce");
    GcmVector changedAad = vector_;
    changedAad.aad[i] ^= 0x10;
    expectRefused(changedAad, "associated data");
  }
  GcmVector noAad = vector_;
  noAad.aad.clear();
  expectRefused(noAad, "missing associated data");
  GcmVector otherKey = vector_;
  otherKey.key[31] ^= 0x01;
  expectRefused(otherKey, "key");
}

TEST_F(AesGcmTest, AnEmptyPlainTextStillGetsItsTag) {
  // Test case 13: the zero key and nonce, nothing to encrypt, no associated data.
  const std::vector<std::uint8_t> zeroKey(kAesKeyBytes, 0);
  const std::vector<std::uint8_t> zeroNonce(kGcmNonceBytes, 0);
  CAesGcmKey key(zeroKey);
  std::vector<std::uint8_t> tag(kGcmTagBytes);
  key.Seal(NonceOf(zeroNonce), {}, {}, {}, TagOf(tag));
  EXPECT_EQ(tag, CryptoBytesFromHex("530f8afbc74536b9a963b4f1c4cb738b"));
  EXPECT_TRUE(key.Open(NonceOf(zeroNonce), {}, {}, TagOf(tag), {}));
  tag[3] ^= 0x04;
  EXPECT_FALSE(key.Open(NonceOf(zeroNonce), {}, {}, TagOf(tag), {}));
}

TEST_F(AesGcmTest, OneMebibyteRoundTripsAndEncryptsInPlace) {
  std::vector<std::uint8_t> keyBytes(kAesKeyBytes);
  std::vector<std::uint8_t> nonce(kGcmNonceBytes);
  std::vector<std::uint8_t> plain(1u << 20);
  FillRandom(keyBytes);
  FillRandom(nonce);
  FillRandom(plain);
  CAesGcmKey key(keyBytes);
  std::vector<std::uint8_t> text = plain;
  std::vector<std::uint8_t> tag(kGcmTagBytes);
  key.Seal(NonceOf(nonce), vector_.aad, text, text, TagOf(tag));
  EXPECT_NE(text, plain);
  ASSERT_TRUE(key.Open(NonceOf(nonce), vector_.aad, text, TagOf(tag), text));
  EXPECT_EQ(text, plain);
}

TEST_F(AesGcmTest, AMovedKeyKeepsWorkingAndRefusesWrongSizes) {
  CAesGcmKey first(vector_.key);
  CAesGcmKey key(std::move(first));
  CAesGcmKey other(std::vector<std::uint8_t>(kAesKeyBytes, 7));
  other = std::move(key);
  std::vector<std::uint8_t> cipher(vector_.plain.size());
  std::vector<std::uint8_t> tag(kGcmTagBytes);
  other.Seal(NonceOf(vector_.nonce), vector_.aad, vector_.plain, cipher, TagOf(tag));
  EXPECT_EQ(tag, vector_.tag);

  EXPECT_THROW(CAesGcmKey(std::vector<std::uint8_t>(16, 1)), CCryptoError);
  std::vector<std::uint8_t> shortCipher(vector_.plain.size() - 1);
  EXPECT_THROW(other.Seal(NonceOf(vector_.nonce), {}, vector_.plain, shortCipher, TagOf(tag)),
               CCryptoError);
}

}  // namespace
