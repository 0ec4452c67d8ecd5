#pragma once
// CEncryptedDataWriter: the encrypted data file, streamed as the plain data-file bytes come.
//
// After the header (encrypted_header.h) come the plain bytes in AES-256-GCM chunks of the
// header's chunk size, the last shorter or as long (only a file of no plain bytes has an
// empty chunk): each 12-byte random nonce, the cipher bytes, a 16-byte tag. A chunk's
// associated data is the file id, its uint64 index and a byte 1 for the last chunk (else
// 0), so that a chunk moved, taken from another file, dropped or cut off is found. The
// plain size follows from the file's size.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"

class CEncryptedDataWriter {
 public:
  using Sink = std::function<void(std::span<const std::uint8_t>)>;

  // Hands the header to `sink` at once. `key` must outlive the writer. Throws CCryptoError.
  CEncryptedDataWriter(const CStoreKey& key, Sink sink, std::uint32_t chunkBytes = kDataChunkBytes);
  CEncryptedDataWriter(const CEncryptedDataWriter&) = delete;
  CEncryptedDataWriter& operator=(const CEncryptedDataWriter&) = delete;

  void Write(std::span<const std::uint8_t> plain);
  // Writes the last chunk; nothing may be written after.
  void Finish();

 private:
  void SealChunk(bool last);

  const CStoreKey& key_;
  Sink sink_;
  std::uint32_t chunkBytes_;
  TFileId fileId_{};
  std::uint64_t chunkIndex_ = 0;
  std::vector<std::uint8_t> plain_;  // the chunk being gathered
  std::vector<std::uint8_t> sealed_;
  bool finished_ = false;
};

// The whole encrypted data file of `plain`, for tests and tools.
std::vector<std::uint8_t> EncryptDataFile(const CStoreKey& key, std::span<const std::uint8_t> plain,
                                          std::uint32_t chunkBytes = kDataChunkBytes);
