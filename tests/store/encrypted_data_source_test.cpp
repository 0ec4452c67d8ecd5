// The plain bytes of an encrypted data file as a reader takes them: in any order, and up to
// a chunk that the disk cannot give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "foundation/content_digest.h"
#include "store/encrypted/chunk_sealing.h"
#include "store/encrypted/encrypted_data_source.h"
#include "store/encrypted/encrypted_data_writer.h"
#include "tests/store/encrypted_test_keys.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kTestChunk = 64;

// A file in memory that cannot be read from `failsFrom` on, as a disk that fails there.
class CMemoryFile : public CByteSource {
 public:
  explicit CMemoryFile(Bytes bytes) : bytes_(std::move(bytes)) {}
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
    if (offset + count > failsFrom) throw std::runtime_error("the disk failed");
    if (offset >= bytes_.size()) return 0;
    const auto step =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - offset));
    std::memcpy(out, bytes_.data() + offset, step);
    return step;
  }
  std::uint64_t Size() const { return bytes_.size(); }
  std::uint64_t failsFrom = ~std::uint64_t{0};

 private:
  Bytes bytes_;
};

class EncryptedDataSourceTest : public ::testing::Test {
 protected:
  EncryptedDataSourceTest() {
    for (int i = 0; i < 1000; ++i) plain_.push_back(static_cast<std::uint8_t>(i * 7 + i / 256));
    file_ = std::make_unique<CMemoryFile>(EncryptDataFile(key_, plain_, kTestChunk));
    header_ = *ReadEncryptedHeader(*file_, file_->Size());
  }

  Bytes Read(CEncryptedDataSource& source, std::uint64_t offset, std::size_t count) {
    Bytes out(count);
    out.resize(source.ReadAt(offset, out.data(), out.size()));
    return out;
  }
  Bytes Plain(std::size_t offset, std::size_t count) const {
    return Bytes(plain_.begin() + static_cast<std::ptrdiff_t>(offset),
                 plain_.begin() + static_cast<std::ptrdiff_t>(offset + count));
  }

  CStoreKey key_ = FixedPasswordKey();
  Bytes plain_;
  std::unique_ptr<CMemoryFile> file_;
  CEncryptedHeader header_;
};

TEST_F(EncryptedDataSourceTest, BytesReadForwardBackAndAcrossChunksAreThePlainOnes) {
  CEncryptedDataSource source(*file_, file_->Size(), header_, key_);
  ASSERT_EQ(source.Size(), plain_.size());
  EXPECT_EQ(Read(source, 0, 100), Plain(0, 100));      // across two chunks
  EXPECT_EQ(Read(source, 600, 200), Plain(600, 200));  // ahead, opening the chunks between
  EXPECT_EQ(Read(source, 10, 120), Plain(10, 120));    // back to chunks opened before
  EXPECT_EQ(Read(source, 900, 500), Plain(900, 100));  // to the end, and no further
  source.ReadRest();
  EXPECT_TRUE(source.Damage().empty()) << source.Damage();
  CContentDigest whole;
  whole.Add(plain_);
  EXPECT_EQ(source.Digest().Value(), whole.Value());
}

TEST_F(EncryptedDataSourceTest, AFileThatCannotBeReadFailsTheReaderOfThatChunkOnly) {
  // The disk fails within the fourth chunk: the first three read; the reader of the fourth
  // gets the failure.
  file_->failsFrom = header_.size + 3 * (kTestChunk + kSealedChunkOverhead) + 10;
  CEncryptedDataSource source(*file_, file_->Size(), header_, key_);
  EXPECT_EQ(Read(source, 0, 3 * kTestChunk), Plain(0, 3 * kTestChunk));
  EXPECT_THROW(Read(source, 3 * kTestChunk, 1), std::runtime_error);
}

}  // namespace
