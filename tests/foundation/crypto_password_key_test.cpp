#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/crypto/aes_gcm.h"
#include "foundation/crypto/crypto_error.h"
#include "foundation/crypto/password_key.h"
#include "tests/foundation/crypto_test_bytes.h"

namespace {

std::vector<std::uint8_t> AsciiBytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> DerivedKey(std::u16string_view password, std::string_view salt,
                                     std::uint32_t iterations) {
  return CryptoBytes(KeyFromPassword(password, AsciiBytes(salt), iterations).Bytes());
}

// The first 32 bytes of a longer PBKDF2 output are the 32-byte output: the first block.
std::vector<std::uint8_t> FirstKeyBytes(std::string_view hex) {
  auto bytes = CryptoBytesFromHex(hex);
  bytes.resize(kAesKeyBytes);
  return bytes;
}

TEST(PasswordKeyTest, DerivesThePublishedPbkdf2HmacSha256Vectors) {
  // RFC 7914, section 11.
  EXPECT_EQ(DerivedKey(u"passwd", "salt", 1),
            FirstKeyBytes("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"));
  EXPECT_EQ(DerivedKey(u"Password", "NaCl", 80000),
            FirstKeyBytes("4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"));
  // The widely published "password"/"salt" vectors of PBKDF2-HMAC-SHA256.
  EXPECT_EQ(DerivedKey(u"password", "salt", 2),
            CryptoBytesFromHex("ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"));
  EXPECT_EQ(DerivedKey(u"password", "salt", 4096),
            CryptoBytesFromHex("c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"));
}

TEST(PasswordKeyTest, HashesTheUtf8OfPasswordsBeyondAscii) {
  // "pässwörd ✓ 🔑" is 70c3a4737377c3b6726420e29c9320f09f9491 in UTF-8: two, three and
  // four bytes a character, the last from a surrogate pair.
  const std::vector<std::uint8_t> salt = CryptoBytesFromHex("000102030405060708090a0b0c0d0e0f");
  EXPECT_EQ(
      CryptoBytes(KeyFromPassword(u"p\u00E4ssw\u00F6rd \u2713 \U0001F511", salt, 1000).Bytes()),
      CryptoBytesFromHex("2de73f5ffa0052922d9f138463ead05ed876d38a6ae5e4dd7283ba25a24079c0"));
}

TEST(PasswordKeyTest, LoneSurrogatesCountAsReplacementCharacters) {
  const std::vector<std::uint8_t> salt = CryptoBytesFromHex("000102030405060708090a0b0c0d0e0f");
  // "a\uFFFDb" is 61efbfbd62 in UTF-8.
  const auto expected =
      CryptoBytesFromHex("a0f866fd6e91bf0a7c940ad5f1d50ed192166d04d4e4785b2734bcdc7ba29830");
  for (const std::u16string password : {u"a\xD800"
                                        u"b",
                                        u"a\xDC00"
                                        u"b",
                                        u"a\uFFFDb"}) {
    EXPECT_EQ(CryptoBytes(KeyFromPassword(password, salt, 1000).Bytes()), expected);
  }
  EXPECT_EQ(KeyFromPassword(std::u16string(u"x\xD83D"), salt, 1).Size(), kAesKeyBytes);
  EXPECT_NE(CryptoBytes(KeyFromPassword(u"\xDC00\xD800", salt, 1).Bytes()),
            CryptoBytes(KeyFromPassword(u"\U00010000", salt, 1).Bytes()));
}

TEST(PasswordKeyTest, AnEmptyPasswordAndSaltStillDeriveAndNoIterationsIsRefused) {
  EXPECT_EQ(DerivedKey(u"", "", 1),
            CryptoBytesFromHex("f7ce0b653d2d72a4108cf5abe912ffdd777616dbbb27a70e8204f3ae2d0f6fad"));
  EXPECT_THROW(KeyFromPassword(u"password", AsciiBytes("salt"), 0), CCryptoError);
}

}  // namespace
