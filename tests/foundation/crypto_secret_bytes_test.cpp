#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "foundation/crypto/random_bytes.h"
#include "foundation/crypto/secret_bytes.h"

namespace {

TEST(SecretBytesTest, HoldsACopyAndHandsItOverOnMove) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
  CSecretBytes secret(bytes);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), secret.Data(), secret.Data() + 4));
  CSecretBytes moved(std::move(secret));
  EXPECT_EQ(secret.Size(), 0u);
  EXPECT_EQ(secret.Data(), nullptr);
  ASSERT_EQ(moved.Size(), 4u);
  CSecretBytes replaced(2);
  replaced = std::move(moved);
  EXPECT_EQ(replaced.Bytes()[3], 4);
  EXPECT_EQ(CSecretBytes(8).Bytes()[7], 0);  // a new secret starts as zeros
}

TEST(RandomBytesTest, FillsEveryByteAndNeverTheSameTwice) {
  // With 64 random bytes, a zero run of 16 or two equal draws would be a broken generator.
  std::vector<std::uint8_t> first(64, 0);
  std::vector<std::uint8_t> second(64, 0);
  FillRandom(first);
  FillRandom(second);
  EXPECT_NE(first, second);
  for (std::size_t i = 0; i + 16 <= first.size(); i += 16) {
    EXPECT_FALSE(std::all_of(first.begin() + i, first.begin() + i + 16,
                             [](std::uint8_t b) { return b == 0; }));
  }
  FillRandom({});
}

}  // namespace
