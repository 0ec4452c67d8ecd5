#pragma once
// The encrypted journal. After the header (encrypted_header.h, magic "QuilleryJrnl") come
// segments, each as the journal writer appended it: uint32 plain length n (at most the
// header's chunk size), a 12-byte random nonce, n cipher bytes, a 16-byte tag. A segment's
// associated data is the file id, its uint64 index and its uint32 length, so that a segment
// moved or taken from another journal is found. Their plain bytes, in order, are the plain
// journal (data_journal.h): its header and frames.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/journal_source.h"
#include "store/encrypted/store_key.h"

class CEncryptedJournalSealer {
 public:
  // `key` must outlive the sealer. Throws CCryptoError.
  explicit CEncryptedJournalSealer(const CStoreKey& key);

  // The bytes a new journal begins with.
  const std::vector<std::uint8_t>& Header() const { return header_; }
  // The bytes to append for `plain`: one segment, or several for more than a chunk's size;
  // none for no bytes. Throws CCryptoError.
  std::vector<std::uint8_t> Seal(std::span<const std::uint8_t> plain);

 private:
  const CStoreKey& key_;
  TFileId fileId_{};  // before header_, which sets it
  std::vector<std::uint8_t> header_;
  std::uint64_t segmentIndex_ = 0;
};

// The plain bytes of the encrypted journal in `file` (of `fileSize` bytes, beginning with
// `header`). Segments are opened in order as the reading reaches them; their places are
// kept, so a reader may seek back. `file`, `header` and `key` must outlive the source.
class CEncryptedJournalSource : public CJournalSource {
 public:
  CEncryptedJournalSource(CByteSource& file, std::uint64_t fileSize, const CEncryptedHeader& header,
                          const CStoreKey& key);

  std::uint64_t Size() const override { return upperBound_; }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;
  const std::string& Damage() const override { return damage_; }
  bool Torn() const override { return torn_; }
  EEncryption Encryption() const override { return header_.mode; }

 private:
  struct Segment {
    std::uint64_t plainStart;
    std::uint64_t fileOffset;
    std::uint32_t length;
  };
  // Puts the segment that holds plain byte `offset` in plain_; false past the end.
  bool Load(std::uint64_t offset);
  // Opens the segment that begins at `fileOffset`; false at the end or on failure.
  bool OpenSegment(std::uint64_t index, std::uint64_t fileOffset, std::uint32_t* length);

  CByteSource& file_;
  std::uint64_t fileSize_;
  const CEncryptedHeader& header_;
  const CStoreKey& key_;
  std::uint64_t upperBound_;
  std::vector<Segment> segments_;  // opened so far, in order
  std::uint64_t nextFileOffset_;   // of the segment after them
  bool ended_ = false;
  bool torn_ = false;
  std::string damage_;
  std::size_t cached_ = ~std::size_t{0};  // the segment in plain_
  std::vector<std::uint8_t> plain_;
  std::vector<std::uint8_t> sealed_;
};
