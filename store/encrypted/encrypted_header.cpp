#include "store/encrypted/encrypted_header.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/byte_writer.h"
#include "foundation/content_digest.h"
#include "foundation/crypto/password_key.h"
#include "foundation/crypto/random_bytes.h"
#include "foundation/file_io.h"
#include "store/encrypted/store_key.h"

namespace {

constexpr std::uint8_t kDataMagic[kEncryptedMagicBytes] = {
    'Q', 'u', 'i', 'l', 'l', 'e', 'r', 'y', 'E', 'n', 'c', 'r', 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::uint8_t kJournalMagic[kEncryptedMagicBytes] = {
    'Q', 'u', 'i', 'l', 'l', 'e', 'r', 'y', 'J', 'r', 'n', 'l', 0xFF, 0xFF, 0xFF, 0xFF};
// The bytes both magics begin with.
constexpr std::size_t kNamePrefixBytes = 8;
// Header bytes read before the fields are known to be sound: the largest header.
constexpr std::uint64_t kLargestHeaderBytes = 4096 + 256;

const std::uint8_t* MagicOf(EEncryptedFile file) {
  return file == EEncryptedFile::kData ? kDataMagic : kJournalMagic;
}

std::uint64_t DigestOf(std::span<const std::uint8_t> bytes) {
  CContentDigest digest;
  digest.Add(bytes);
  return digest.Value();
}

// Reads the fields after the magic; the first failure is the header's damage.
void ReadFields(CByteReader& reader, CEncryptedHeader& header) {
  auto fail = [&header](std::string why) { header.damage = std::move(why); };
  std::uint32_t version = 0;
  std::uint32_t mode = 0;
  if (!reader.ReadUInt32(&version) || !reader.ReadUInt32(&mode)) return fail("header cut short");
  if (version != kEncryptedVersion) return fail("unknown version " + std::to_string(version));
  const std::uint64_t protectionStart = reader.Position();
  const std::uint8_t* bytes;
  if (mode == static_cast<std::uint32_t>(EEncryption::kAccount)) {
    std::uint32_t length = 0;
    if (!reader.ReadUInt32(&length)) return fail("header cut short");
    if (length == 0 || length > kMaxAccountBlobBytes) {
      return fail("protected key of " + std::to_string(length) + " bytes");
    }
    if (!reader.Take(length, &bytes)) return fail("header cut short");
    header.accountBlob.assign(bytes, bytes + length);
  } else if (mode == static_cast<std::uint32_t>(EEncryption::kPassword)) {
    if (!reader.Take(kPasswordSaltBytes, &bytes)) return fail("header cut short");
    header.salt.assign(bytes, bytes + kPasswordSaltBytes);
    if (!reader.ReadUInt32(&header.iterations)) return fail("header cut short");
    if (header.iterations < kPasswordIterations || header.iterations > kMaxPasswordIterations) {
      return fail(std::to_string(header.iterations) + " iterations");
    }
  } else {
    return fail("unknown mode " + std::to_string(mode));
  }
  header.mode = static_cast<EEncryption>(mode);
  const std::uint64_t protectionEnd = reader.Position();
  if (!reader.Take(kFileIdBytes, &bytes)) return fail("header cut short");
  std::memcpy(header.fileId.data(), bytes, kFileIdBytes);
  if (!reader.ReadUInt32(&header.chunkBytes)) return fail("header cut short");
  if (header.chunkBytes < kMinChunkBytes || header.chunkBytes > kMaxChunkBytes) {
    return fail("chunk size " + std::to_string(header.chunkBytes));
  }
  const std::uint64_t checkedEnd = reader.Position();
  if (!reader.Take(kGcmNonceBytes, &bytes)) return fail("header cut short");
  std::memcpy(header.checkNonce.data(), bytes, kGcmNonceBytes);
  if (!reader.Take(kGcmTagBytes, &bytes)) return fail("header cut short");
  std::memcpy(header.checkTag.data(), bytes, kGcmTagBytes);
  const std::uint64_t digestStart = reader.Position();
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  if (!reader.ReadUInt32(&low) || !reader.ReadUInt32(&high)) return fail("header cut short");
  header.size = reader.Position();
  // The header is small and was read through one window: read it again whole.
  reader.Seek(0);
  if (!reader.Take(static_cast<std::size_t>(header.size), &bytes)) return fail("header cut short");
  if (DigestOf(std::span(bytes, static_cast<std::size_t>(digestStart))) !=
      (std::uint64_t{high} << 32 | low)) {
    return fail("header digest does not match");
  }
  header.protection.assign(bytes + protectionStart, bytes + protectionEnd);
  header.checked.assign(bytes, bytes + checkedEnd);
}

}  // namespace

std::optional<CEncryptedHeader> ReadEncryptedHeader(CByteSource& source, std::uint64_t size) {
  CByteReader reader(source, std::min(size, kLargestHeaderBytes));
  const std::uint8_t* magic;
  CEncryptedHeader header;
  if (!reader.Take(kEncryptedMagicBytes, &magic)) {
    // A file cut within the magic, past "Quillery": an older reader would take it for an
    // empty store, so it is told as the damaged encrypted file it was.
    const auto length = static_cast<std::size_t>(reader.Size());
    if (length < kNamePrefixBytes || !reader.Take(length, &magic)) return std::nullopt;
    if (!std::equal(magic, magic + length, kDataMagic) &&
        !std::equal(magic, magic + length, kJournalMagic)) {
      return std::nullopt;
    }
    header.file = std::equal(magic, magic + length, kDataMagic) ? EEncryptedFile::kData
                                                                : EEncryptedFile::kJournal;
    header.damage = "cut short within its magic";
    return header;
  }
  if (std::equal(magic, magic + kEncryptedMagicBytes, kDataMagic)) {
    header.file = EEncryptedFile::kData;
  } else if (std::equal(magic, magic + kEncryptedMagicBytes, kJournalMagic)) {
    header.file = EEncryptedFile::kJournal;
  } else {
    return std::nullopt;
  }
  ReadFields(reader, header);
  if (!header.damage.empty()) header.size = 0;
  return header;
}

std::optional<CEncryptedHeader> ReadEncryptedHeader(const std::filesystem::path& path) {
  if (!FileExists(path)) return std::nullopt;
  CFileByteSource source(path, "encrypted file");
  return ReadEncryptedHeader(source, source.Size());
}

std::vector<std::uint8_t> NewEncryptedHeader(EEncryptedFile file, const CStoreKey& key,
                                             std::uint32_t chunkBytes, TFileId* fileId) {
  FillRandom(*fileId);
  CByteWriter header;
  header.WriteBytes(MagicOf(file), kEncryptedMagicBytes);
  header.WriteUInt32(kEncryptedVersion);
  header.WriteUInt32(static_cast<std::uint32_t>(key.Mode()));
  header.WriteBytes(key.Protection().data(), key.Protection().size());
  header.WriteBytes(fileId->data(), fileId->size());
  header.WriteUInt32(chunkBytes);
  std::array<std::uint8_t, kGcmNonceBytes> nonce{};
  std::array<std::uint8_t, kGcmTagBytes> tag{};
  FillRandom(nonce);
  key.Aes().Seal(nonce, header.Bytes(), {}, {}, tag);
  header.WriteBytes(nonce.data(), nonce.size());
  header.WriteBytes(tag.data(), tag.size());
  const std::uint64_t digest = DigestOf(header.Bytes());
  header.WriteUInt32(static_cast<std::uint32_t>(digest));
  header.WriteUInt32(static_cast<std::uint32_t>(digest >> 32));
  return std::move(header.Bytes());
}

bool KeyCheckPasses(const CEncryptedHeader& header, const CAesGcmKey& key) {
  if (!header.damage.empty()) return false;
  return key.Open(header.checkNonce, header.checked, {}, header.checkTag, {});
}
