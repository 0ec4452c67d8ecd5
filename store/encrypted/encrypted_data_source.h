#pragma once
// CEncryptedDataSource: the plain bytes of an encrypted data file, for a CByteReader. Chunks
// are opened in order, each once, so memory stays at about four chunks whatever the file's
// size; a read of a later chunk opens those before it first. While the reader takes one
// chunk, the next is read and opened on another thread, so that a load costs about what a
// plain one does (chunks of the usual size only: a thread per chunk would cost more than it
// saves on small ones). A chunk that fails ends the bytes at its start (the reader then shortens
// its Size()), and Damage() says which.

#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/content_digest.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"

// The smallest chunk opened ahead on another thread.
inline constexpr std::uint32_t kReadAheadChunkBytes = std::uint32_t{64} << 10;

class CEncryptedDataSource : public CByteSource {
 public:
  // `file` holds the encrypted file's `fileSize` bytes and begins with `header`; `file` and
  // `key` must outlive the source. A key that does not open the header fails every chunk.
  // Chunks of `readAheadFrom` bytes or more are opened ahead.
  CEncryptedDataSource(CByteSource& file, std::uint64_t fileSize, const CEncryptedHeader& header,
                       const CStoreKey& key, std::uint32_t readAheadFrom = kReadAheadChunkBytes);
  // Waits for the chunk being opened ahead.
  ~CEncryptedDataSource() override;
  CEncryptedDataSource(const CEncryptedDataSource&) = delete;
  CEncryptedDataSource& operator=(const CEncryptedDataSource&) = delete;

  // The plain size the file's size stands for; less is read when a chunk fails.
  std::uint64_t Size() const { return plainSize_; }
  // Throws what `file` throws.
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;
  // Opens every chunk not opened yet, for Digest() and Damage().
  void ReadRest();
  // Of the plain bytes of the chunks opened so far, from the start on.
  const CContentDigest& Digest() const { return *digest_; }
  // Empty, or why the bytes ended early: "chunk 3 at offset 3146072 failed authentication".
  const std::string& Damage() const { return damage_; }
  // Where the plain bytes ended early (valid when Damage() is not empty).
  std::uint64_t DamageOffset() const { return endedAt_; }

 private:
  // Puts chunk `index` in plain_, opening those before it first; false past the end.
  bool Load(std::uint64_t index);
  // Opens the chunk after those opened; false, with the damage told, when it fails.
  bool OpenNext();
  // Reads chunk `index` into `sealed`; false when the file holds less than all of it.
  bool ReadSealed(std::uint64_t index, std::vector<std::uint8_t>& sealed);
  bool Decrypt(std::uint64_t index, bool last, const std::vector<std::uint8_t>& sealed,
               std::vector<std::uint8_t>& plain);
  // Reads and opens chunk `index` into `sealed` and `plain` as the last chunk when it is
  // the file's last: false when it cannot be read (first) or opened (second).
  std::pair<bool, bool> ReadAndOpen(std::uint64_t index, std::vector<std::uint8_t>& sealed,
                                    std::vector<std::uint8_t>& plain);
  // Starts reading and opening the chunk after those opened on another thread.
  void OpenAhead();
  // Waits for the chunk being opened ahead, so that the file may be read here.
  void WaitAhead();
  std::uint64_t ChunkFileOffset(std::uint64_t index) const;
  void End(std::uint64_t plainOffset, std::string why);

  CByteSource& file_;
  const CEncryptedHeader& header_;
  const CStoreKey& key_;
  std::uint64_t chunkBytes_;
  bool readAhead_;
  std::uint64_t chunkCount_ = 0;
  std::uint64_t lastSealedBytes_ = 0;  // what the file holds of the last chunk
  std::uint64_t plainSize_ = 0;
  std::uint64_t opened_ = 0;   // chunks opened, in order
  std::uint64_t endedAt_ = 0;  // plain offset where a failure ended the bytes
  bool ended_ = false;
  std::uint64_t cachedIndex_ = ~std::uint64_t{0};  // the chunk in plain_
  std::vector<std::uint8_t> plain_;
  std::vector<std::uint8_t> sealed_;
  std::string damage_;
  std::unique_ptr<CContentDigest> digest_ = std::make_unique<CContentDigest>();
  // The chunk `opened_` read and opened on another thread, into its own buffers; the file
  // is read there alone while it runs.
  std::vector<std::uint8_t> plainAhead_;
  std::vector<std::uint8_t> sealedAhead_;
  std::future<std::pair<bool, bool>> ahead_;
};
