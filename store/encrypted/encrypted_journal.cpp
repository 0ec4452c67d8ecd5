#include "store/encrypted/encrypted_journal.h"

#include <algorithm>
#include <cstring>

#include "foundation/byte_writer.h"
#include "store/encrypted/chunk_sealing.h"

namespace {

constexpr std::uint64_t kSegmentLengthBytes = 4;

}  // namespace

CEncryptedJournalSealer::CEncryptedJournalSealer(const CStoreKey& key)
    : key_(key),
      header_(NewEncryptedHeader(EEncryptedFile::kJournal, key, kDataChunkBytes, &fileId_)) {}

std::vector<std::uint8_t> CEncryptedJournalSealer::Seal(std::span<const std::uint8_t> plain) {
  std::vector<std::uint8_t> out;
  while (!plain.empty()) {
    const auto length =
        static_cast<std::uint32_t>(std::min<std::size_t>(plain.size(), kDataChunkBytes));
    CByteWriter prefix;
    prefix.WriteUInt32(length);
    out.insert(out.end(), prefix.Bytes().begin(), prefix.Bytes().end());
    AppendSealedChunk(key_.Aes(), JournalSegmentAad(fileId_, segmentIndex_, length),
                      plain.first(length), out);
    ++segmentIndex_;
    plain = plain.subspan(length);
  }
  return out;
}

CEncryptedJournalSource::CEncryptedJournalSource(CByteSource& file, std::uint64_t fileSize,
                                                 const CEncryptedHeader& header,
                                                 const CStoreKey& key)
    : file_(file),
      fileSize_(fileSize),
      header_(header),
      key_(key),
      upperBound_(fileSize > header.size ? fileSize - header.size : 0),
      nextFileOffset_(header.size) {}

bool CEncryptedJournalSource::OpenSegment(std::uint64_t index, std::uint64_t fileOffset,
                                          std::uint32_t* length) {
  const std::string where =
      "segment " + std::to_string(index) + " at offset " + std::to_string(fileOffset);
  std::uint8_t prefix[kSegmentLengthBytes];
  const std::size_t got = file_.ReadAt(fileOffset, prefix, sizeof prefix);
  if (got == 0 && fileOffset >= fileSize_) return false;  // the end, after a whole segment
  if (got < sizeof prefix) {
    torn_ = true;
    return false;
  }
  *length = static_cast<std::uint32_t>(prefix[0] | prefix[1] << 8 | prefix[2] << 16) |
            static_cast<std::uint32_t>(prefix[3]) << 24;
  if (*length > header_.chunkBytes) {
    damage_ = where + " is longer than a segment may be";
    return false;
  }
  sealed_.resize(kSealedChunkOverhead + *length);
  if (file_.ReadAt(fileOffset + kSegmentLengthBytes, sealed_.data(), sealed_.size()) !=
      sealed_.size()) {
    torn_ = true;
    return false;
  }
  if (!OpenSealedChunk(key_.Aes(), JournalSegmentAad(header_.fileId, index, *length), sealed_,
                       plain_)) {
    damage_ = where + " failed authentication";
    return false;
  }
  return true;
}

bool CEncryptedJournalSource::Load(std::uint64_t offset) {
  if (cached_ < segments_.size() && offset >= segments_[cached_].plainStart &&
      offset - segments_[cached_].plainStart < segments_[cached_].length) {
    return true;
  }
  // A segment opened before: the one of the last start at or before `offset`.
  auto after =
      std::upper_bound(segments_.begin(), segments_.end(), offset,
                       [](std::uint64_t at, const Segment& s) { return at < s.plainStart; });
  if (after != segments_.begin()) {
    const Segment& segment = *(after - 1);
    if (offset - segment.plainStart < segment.length) {
      const auto index = static_cast<std::size_t>(after - 1 - segments_.begin());
      cached_ = ~std::size_t{0};
      std::uint32_t length = 0;
      if (!OpenSegment(index, segment.fileOffset, &length) || length != segment.length) {
        // The file changed under the reader: it ends here.
        segments_.resize(index);
        ended_ = true;
        return false;
      }
      cached_ = index;
      return true;
    }
  }
  while (!ended_) {
    const std::uint64_t plainStart =
        segments_.empty() ? 0 : segments_.back().plainStart + segments_.back().length;
    std::uint32_t length = 0;
    cached_ = ~std::size_t{0};
    if (!OpenSegment(segments_.size(), nextFileOffset_, &length)) {
      ended_ = true;
      return false;
    }
    segments_.push_back({plainStart, nextFileOffset_, length});
    nextFileOffset_ += kSegmentLengthBytes + kSealedChunkOverhead + length;
    cached_ = segments_.size() - 1;
    if (offset - plainStart < length && offset >= plainStart) return true;
  }
  return false;
}

std::size_t CEncryptedJournalSource::ReadAt(std::uint64_t offset, std::uint8_t* out,
                                            std::size_t count) {
  std::size_t copied = 0;
  while (copied < count) {
    const std::uint64_t position = offset + copied;
    if (!Load(position)) break;
    const Segment& segment = segments_[cached_];
    const std::uint64_t within = position - segment.plainStart;
    const auto step =
        static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, segment.length - within));
    std::memcpy(out + copied, plain_.data() + within, step);
    copied += step;
  }
  return copied;
}
