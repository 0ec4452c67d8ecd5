#include "store/encrypted/chunk_sealing.h"

#include "foundation/byte_writer.h"
#include "foundation/crypto/random_bytes.h"

void AppendSealedChunk(const CAesGcmKey& key, std::span<const std::uint8_t> aad,
                       std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  out.resize(start + kSealedChunkOverhead + plain.size());
  const std::span<std::uint8_t> sealed = std::span(out).subspan(start);
  const auto nonce = sealed.first<kGcmNonceBytes>();
  FillRandom(nonce);
  key.Seal(nonce, aad, plain, sealed.subspan(kGcmNonceBytes, plain.size()),
           sealed.last<kGcmTagBytes>());
}

bool OpenSealedChunk(const CAesGcmKey& key, std::span<const std::uint8_t> aad,
                     std::span<const std::uint8_t> sealed, std::vector<std::uint8_t>& plain) {
  if (sealed.size() < kSealedChunkOverhead) return false;
  plain.resize(sealed.size() - kSealedChunkOverhead);
  return key.Open(sealed.first<kGcmNonceBytes>(), aad, sealed.subspan(kGcmNonceBytes, plain.size()),
                  sealed.last<kGcmTagBytes>(), plain);
}

namespace {

void WriteIndex(CByteWriter& aad, std::span<const std::uint8_t> fileId, std::uint64_t index) {
  aad.WriteBytes(fileId.data(), fileId.size());
  aad.WriteUInt32(static_cast<std::uint32_t>(index));
  aad.WriteUInt32(static_cast<std::uint32_t>(index >> 32));
}

}  // namespace

std::vector<std::uint8_t> DataChunkAad(std::span<const std::uint8_t> fileId, std::uint64_t index,
                                       bool last) {
  CByteWriter aad;
  WriteIndex(aad, fileId, index);
  const std::uint8_t lastByte = last ? 1 : 0;
  aad.WriteBytes(&lastByte, 1);
  return std::move(aad.Bytes());
}

std::vector<std::uint8_t> JournalSegmentAad(std::span<const std::uint8_t> fileId,
                                            std::uint64_t index, std::uint32_t length) {
  CByteWriter aad;
  WriteIndex(aad, fileId, index);
  aad.WriteUInt32(length);
  return std::move(aad.Bytes());
}
