// The encrypted data file: what an older reader makes of it, round trips, and every way
// its bytes can be damaged or rearranged told as damage, never read as another store.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/content_digest.h"
#include "store/encrypted/encrypted_data_writer.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_locked_error.h"
#include "tests/store/encrypted_test_keys.h"
#include "tests/support/store_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSmallChunk = 64;
constexpr std::size_t kSealedSmallChunk = kSmallChunk + kGcmNonceBytes + kGcmTagBytes;

std::uint64_t Digest(const Bytes& bytes) {
  CContentDigest digest;
  digest.Add(bytes);
  return digest.Value();
}

class EncryptedDataFileTest : public StoreTest {
 protected:
  EncryptedDataFileTest() {
    SetCapacity(100);
    CopyTexts({u"first secret", u"second secret", u"third secret"});
    CopyTexts(NumberedTexts(6));
    CCategory work;
    work.name = u"Work";
    store.AddCategory(work);
    plain_ = store.SaveToMemory();
  }

  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  std::uint64_t HeaderSize() const { return ReadEncryptedHeader(DataPath())->size; }

  // Reads the file at DataPath() with `key` into `loaded`.
  const CLoadReport& Read(CDataBase& loaded, const CStoreKey* key) {
    loaded.ReadDataFile(DataPath(), key);
    return loaded.LastLoad();
  }

  CStoreKey key_ = FixedPasswordKey();
  Bytes plain_;
};

TEST_F(EncryptedDataFileTest, ASavedStoreReadsBackWithItsKeyAndIsNamedByItsPlainBytes) {
  // A picture larger than a chunk, so that the file holds more than one.
  TBitmap picture(800, 700, 32);
  picture.Row(699)[3199] = 0x5A;
  ASSERT_TRUE(driver.CopyBitmap(picture));
  // As a BMP image its size is its pixels', not what they compress to.
  dynamic_cast<CImageItem&>(*store.Items().front()).savedAs = EPictureRecord::kBmp;
  ASSERT_TRUE(store.SaveToFile(DataPath(), &key_));
  const Bytes plain = store.SaveToMemory();
  ASSERT_GT(plain.size(), 2 * std::size_t{kDataChunkBytes});

  const Bytes file = ReadBytes(DataPath());
  const Bytes magic = {'Q', 'u', 'i', 'l', 'l',  'e',  'r',  'y',
                       'E', 'n', 'c', 'r', 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_TRUE(std::equal(magic.begin(), magic.end(), file.begin()));
  const Bytes secret = {'f', 0, 'i', 0, 'r', 0, 's', 0, 't', 0};
  EXPECT_EQ(std::search(file.begin(), file.end(), secret.begin(), secret.end()), file.end());

  CDataBase loaded;
  const CLoadReport& report = Read(loaded, &key_);
  EXPECT_FALSE(report.damaged) << report.damageReason;
  EXPECT_EQ(report.encryption, EEncryption::kPassword);
  EXPECT_EQ(report.format, DataFormat::kCurrent);
  EXPECT_EQ(report.fileDigest, Digest(plain));
  dynamic_cast<CImageItem&>(*loaded.Items().front()).savedAs = EPictureRecord::kBmp;
  EXPECT_EQ(loaded.SaveToMemory(), plain);
}

TEST_F(EncryptedDataFileTest, AnOlderReaderFindsDamageAtOnceAndTakesNothingFromIt) {
  CDataBase older;
  older.LoadFromMemory(EncryptDataFile(key_, plain_));
  EXPECT_TRUE(older.LastLoad().damaged);
  EXPECT_EQ(older.LastLoad().damageOffset, 8u);
  EXPECT_TRUE(older.Items().empty());
  EXPECT_TRUE(older.Categories().empty());
}

TEST_F(EncryptedDataFileTest, WithoutAKeyThatOpensItTheClipsAreLockedAndAPlainFileReadsWithAny) {
  ASSERT_TRUE(store.SaveToFile(DataPath(), &key_));
  CDataBase loaded;
  EXPECT_THROW(loaded.LoadFromFile(DataPath()), CStoreLockedError);
  const CStoreKey other = FixedPasswordKey(2);
  EXPECT_THROW(loaded.LoadFromFile(DataPath(), &other), CStoreLockedError);
  EXPECT_TRUE(loaded.Items().empty());

  ASSERT_TRUE(store.SaveToFile(DataPath()));
  EXPECT_EQ(ReadBytes(DataPath()), plain_);
  ASSERT_TRUE(loaded.LoadFromFile(DataPath(), &key_));
  EXPECT_EQ(loaded.LastLoad().encryption, EEncryption::kOff);
  EXPECT_EQ(loaded.SaveToMemory(), plain_);
}

TEST_F(EncryptedDataFileTest, AFailedChunkIsNamedAndWhatCameBeforeItIsLoadedWithTheFileKeptAside) {
  Bytes file = EncryptDataFile(key_, plain_, kSmallChunk);
  WriteBytes(DataPath(), file);
  const std::uint64_t header = HeaderSize();
  const std::uint64_t chunk3 = header + 3 * kSealedSmallChunk;
  file[chunk3 + 20] ^= 0x10;
  WriteBytes(DataPath(), file);

  CDataBase loaded;
  ASSERT_TRUE(loaded.LoadFromFile(DataPath(), &key_));
  const CLoadReport& report = loaded.LastLoad();
  EXPECT_TRUE(report.damaged);
  EXPECT_EQ(report.damageReason,
            "chunk 3 at offset " + std::to_string(chunk3) + " failed authentication");
  EXPECT_LE(report.damageOffset, 3u * kSmallChunk);
  // The clips whose records lie wholly before the chunk (the tail of the list is first).
  EXPECT_FALSE(loaded.Items().empty());
  EXPECT_LT(loaded.Items().size(), store.Items().size());
  EXPECT_EQ(ReadBytes(report.damagedCopy), file);
}

TEST_F(EncryptedDataFileTest, ChunksSwappedDroppedCutOffOrTakenFromAnotherFileAreFound) {
  const Bytes file = EncryptDataFile(key_, plain_, kSmallChunk);
  WriteBytes(DataPath(), file);
  const std::size_t header = HeaderSize();
  const std::size_t chunks = (file.size() - header + kSealedSmallChunk - 1) / kSealedSmallChunk;
  ASSERT_GE(chunks, 5u);
  auto chunkAt = [&](const Bytes& bytes, std::size_t index) {
    const auto begin =
        bytes.begin() + static_cast<std::ptrdiff_t>(header + index * kSealedSmallChunk);
    return Bytes(begin, std::min(begin + kSealedSmallChunk, bytes.end()));
  };
  // The file with the chunks of `order` (indices into the file's own), and one of the
  // twin's at `foreignAt`.
  const Bytes twin = EncryptDataFile(key_, plain_, kSmallChunk);
  auto withChunks = [&](const std::vector<std::size_t>& order,
                        std::size_t foreignAt = ~std::size_t{0}) {
    Bytes bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(header));
    for (std::size_t i = 0; i < order.size(); ++i) {
      const Bytes chunk = chunkAt(i == foreignAt ? twin : file, order[i]);
      bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    return bytes;
  };
  std::vector<std::size_t> inOrder;
  for (std::size_t i = 0; i < chunks; ++i) inOrder.push_back(i);
  auto without = [&](std::size_t index) {
    std::vector<std::size_t> order;
    for (std::size_t i : inOrder)
      if (i != index) order.push_back(i);
    return order;
  };
  std::vector<std::size_t> swapped = inOrder;
  std::swap(swapped[1], swapped[2]);
  std::vector<std::size_t> repeated = {0, 1};
  for (std::size_t i = 1; i < chunks; ++i) repeated.push_back(i);

  const std::vector<std::pair<std::string, Bytes>> cases = {
      {"swapped", withChunks(swapped)},
      {"dropped", withChunks(without(2))},
      {"last dropped", withChunks(without(chunks - 1))},
      {"foreign", withChunks(inOrder, 2)},
      {"repeated", withChunks(repeated)},
  };
  for (const auto& [name, bytes] : cases) {
    WriteBytes(DataPath(), bytes);
    CDataBase loaded;
    const CLoadReport& report = Read(loaded, &key_);
    EXPECT_TRUE(report.damaged) << name;
    EXPECT_NE(report.damageReason.find("chunk"), std::string::npos)
        << name << ": " << report.damageReason;
  }
  WriteBytes(DataPath(), withChunks(without(chunks - 1)));
  CDataBase loaded;
  EXPECT_NE(Read(loaded, &key_).damageReason.find("ends after chunk " + std::to_string(chunks - 2)),
            std::string::npos);
}

TEST_F(EncryptedDataFileTest, EveryCutAndEveryFlippedByteIsToldAsDamage) {
  const Bytes file = EncryptDataFile(key_, plain_, kSmallChunk);
  for (std::size_t size = 1; size < file.size(); ++size) {
    WriteBytes(DataPath(), Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)));
    CDataBase loaded;
    ASSERT_TRUE(Read(loaded, &key_).damaged) << "cut to " << size;
  }
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (const std::uint8_t flip : {0x01, 0x80}) {
      Bytes bytes = file;
      bytes[at] ^= flip;
      WriteBytes(DataPath(), bytes);
      CDataBase loaded;
      ASSERT_TRUE(Read(loaded, &key_).damaged) << "byte " << at << " flipped by " << int{flip};
    }
  }
}

TEST_F(EncryptedDataFileTest, AHeaderOutsideItsBoundsIsDamageThatNoKeyOpens) {
  std::array<std::uint8_t, kAesKeyBytes> bytes{};
  const std::array<std::uint8_t, kPasswordSaltBytes> salt{};
  const CStoreKey weak(EEncryption::kPassword, bytes, EncodePasswordProtection(salt, 1000));
  ASSERT_TRUE(store.SaveToFile(DataPath(), &weak));
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(DataPath());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->damage, "1000 iterations");
  EXPECT_FALSE(weak.Opens(*header));
  CDataBase loaded;
  const CLoadReport& report = Read(loaded, &weak);
  EXPECT_TRUE(report.damaged);
  EXPECT_TRUE(loaded.Items().empty());
}

TEST_F(EncryptedDataFileTest, APlainOrAbsentFileHasNoEncryptedHeader) {
  EXPECT_FALSE(ReadEncryptedHeader(DataPath()));
  ASSERT_TRUE(store.SaveToFile(DataPath()));
  EXPECT_FALSE(ReadEncryptedHeader(DataPath()));
}

}  // namespace
