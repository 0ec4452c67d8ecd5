#include "store/encrypted/encrypted_data_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "store/encrypted/chunk_sealing.h"

CEncryptedDataSource::CEncryptedDataSource(CByteSource& file, std::uint64_t fileSize,
                                           const CEncryptedHeader& header, const CStoreKey& key)
    : file_(file), header_(header), key_(key), chunkBytes_(header.chunkBytes) {
  const std::uint64_t body = fileSize > header.size ? fileSize - header.size : 0;
  const std::uint64_t sealedChunk = chunkBytes_ + kSealedChunkOverhead;
  const std::uint64_t whole = body / sealedChunk;
  const std::uint64_t rest = body % sealedChunk;
  // The last chunk holds 1 to chunkBytes_ plain bytes (none only in a file of none), so a
  // rest of 0 means the last chunk is whole. A rest shorter than a nonce and a tag is a
  // chunk cut short, found when it is opened.
  chunkCount_ = rest == 0 ? whole : whole + 1;
  lastSealedBytes_ = rest == 0 ? sealedChunk : rest;
  plainSize_ =
      whole * chunkBytes_ + (rest > kSealedChunkOverhead ? rest - kSealedChunkOverhead : 0);
  if (chunkCount_ == 0) End(0, "the file ends after its header, without chunks");
}

std::uint64_t CEncryptedDataSource::ChunkFileOffset(std::uint64_t index) const {
  return header_.size + index * (chunkBytes_ + kSealedChunkOverhead);
}

void CEncryptedDataSource::End(std::uint64_t plainOffset, std::string why) {
  ended_ = true;
  endedAt_ = plainOffset;
  damage_ = std::move(why);
}

bool CEncryptedDataSource::ReadSealed(std::uint64_t index) {
  const bool last = index + 1 == chunkCount_;
  const std::uint64_t size = last ? lastSealedBytes_ : chunkBytes_ + kSealedChunkOverhead;
  sealed_.resize(static_cast<std::size_t>(size));
  return file_.ReadAt(ChunkFileOffset(index), sealed_.data(), sealed_.size()) == sealed_.size() &&
         size >= kSealedChunkOverhead;
}

bool CEncryptedDataSource::Decrypt(std::uint64_t index, bool last) {
  return OpenSealedChunk(key_.Aes(), DataChunkAad(header_.fileId, index, last), sealed_, plain_);
}

bool CEncryptedDataSource::OpenNext() {
  const std::uint64_t index = opened_;
  const std::uint64_t plainStart = index * chunkBytes_;
  const std::string where =
      "chunk " + std::to_string(index) + " at offset " + std::to_string(ChunkFileOffset(index));
  cachedIndex_ = ~std::uint64_t{0};
  if (!ReadSealed(index)) {
    End(plainStart, "the file ends within " + where);
    return false;
  }
  const bool last = index + 1 == chunkCount_;
  if (!Decrypt(index, last)) {
    // A whole chunk that opens only as one with more after it: the file was cut after it.
    if (!last || !Decrypt(index, false)) {
      End(plainStart, where + " failed authentication");
      return false;
    }
    End(plainStart + plain_.size(), "the file ends after " + where + ", which is not its last");
  }
  digest_->Add(plain_);
  cachedIndex_ = index;
  ++opened_;
  return true;
}

bool CEncryptedDataSource::Load(std::uint64_t index) {
  if (cachedIndex_ == index) return true;
  if (index < opened_) {
    // Read again, as a reader that moved back asks: it opened before, so it opens now
    // unless the file changed under the reader.
    cachedIndex_ = ~std::uint64_t{0};
    if (!ReadSealed(index) ||
        (!Decrypt(index, index + 1 == chunkCount_) && !Decrypt(index, false))) {
      return false;
    }
    cachedIndex_ = index;
    return true;
  }
  while (opened_ <= index) {
    if (ended_ || opened_ >= chunkCount_ || !OpenNext()) return false;
  }
  return true;
}

std::size_t CEncryptedDataSource::ReadAt(std::uint64_t offset, std::uint8_t* out,
                                         std::size_t count) {
  std::size_t copied = 0;
  while (copied < count) {
    const std::uint64_t position = offset + copied;
    if (position >= plainSize_) break;
    const std::uint64_t index = position / chunkBytes_;
    if (!Load(index)) break;
    const std::uint64_t within = position - index * chunkBytes_;
    if (within >= plain_.size()) break;
    const auto step =
        static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, plain_.size() - within));
    std::memcpy(out + copied, plain_.data() + within, step);
    copied += step;
  }
  return copied;
}

void CEncryptedDataSource::ReadRest() {
  while (!ended_ && opened_ < chunkCount_) OpenNext();
}
