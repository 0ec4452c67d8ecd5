#include "store/encrypted/encrypted_data_writer.h"

#include <algorithm>
#include <utility>

#include "foundation/byte_writer.h"
#include "store/encrypted/chunk_sealing.h"

CEncryptedDataWriter::CEncryptedDataWriter(const CStoreKey& key, Sink sink,
                                           std::uint32_t chunkBytes)
    : key_(key), sink_(std::move(sink)), chunkBytes_(chunkBytes) {
  sink_(NewEncryptedHeader(EEncryptedFile::kData, key_, chunkBytes_, &fileId_));
  plain_.reserve(chunkBytes_);
}

void CEncryptedDataWriter::Write(std::span<const std::uint8_t> plain) {
  while (!plain.empty()) {
    // A full chunk waits for the next byte: only then is it known not to be the last.
    if (plain_.size() == chunkBytes_) SealChunk(false);
    const std::size_t step = std::min(plain.size(), chunkBytes_ - plain_.size());
    plain_.insert(plain_.end(), plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(step));
    plain = plain.subspan(step);
  }
}

void CEncryptedDataWriter::Finish() {
  if (finished_) return;
  SealChunk(true);
  finished_ = true;
}

void CEncryptedDataWriter::SealChunk(bool last) {
  sealed_.clear();
  AppendSealedChunk(key_.Aes(), DataChunkAad(fileId_, chunkIndex_, last), plain_, sealed_);
  sink_(sealed_);
  plain_.clear();
  ++chunkIndex_;
}

std::vector<std::uint8_t> EncryptDataFile(const CStoreKey& key, std::span<const std::uint8_t> plain,
                                          std::uint32_t chunkBytes) {
  std::vector<std::uint8_t> file;
  CEncryptedDataWriter writer(
      key,
      [&file](std::span<const std::uint8_t> bytes) {
        file.insert(file.end(), bytes.begin(), bytes.end());
      },
      chunkBytes);
  writer.Write(plain);
  writer.Finish();
  return file;
}
