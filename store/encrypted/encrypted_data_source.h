#pragma once
// CEncryptedDataSource: the plain bytes of an encrypted data file, for a CByteReader. Chunks
// are opened in order, each once, so memory stays at about two chunks whatever the file's
// size; a read of a later chunk opens those before it first. A chunk that fails ends the
// bytes at its start (the reader then shortens its Size()), and Damage() says which.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/content_digest.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"

class CEncryptedDataSource : public CByteSource {
 public:
  // `file` holds the encrypted file's `fileSize` bytes and begins with `header`; `file` and
  // `key` must outlive the source. A key that does not open the header fails every chunk.
  CEncryptedDataSource(CByteSource& file, std::uint64_t fileSize, const CEncryptedHeader& header,
                       const CStoreKey& key);

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
  // Reads chunk `index` into sealed_; false when the file holds less than all of it.
  bool ReadSealed(std::uint64_t index);
  bool Decrypt(std::uint64_t index, bool last);
  std::uint64_t ChunkFileOffset(std::uint64_t index) const;
  void End(std::uint64_t plainOffset, std::string why);

  CByteSource& file_;
  const CEncryptedHeader& header_;
  const CStoreKey& key_;
  std::uint64_t chunkBytes_;
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
};
