#pragma once
// The header that an encrypted data file and an encrypted journal begin with. All numbers
// little-endian:
//   16 bytes  magic: "QuilleryEncr" or "QuilleryJrnl", then FF FF FF FF. A reader of the
//             plain data file takes "Quil" as its marker and "lery" as lastCategoryId, then
//             meets a record of unknown kind whose size is -1: damage at offset 8, so an
//             older program keeps the file aside and never saves over it. The plain
//             journal's reader wants "QJRN" and refuses both.
//   uint32    version 1
//   uint32    mode (EEncryption: 1 account, 2 password)
//   protection, mode 1: uint32 n (1..kMaxAccountBlobBytes), n bytes of the protected key;
//             mode 2: 16 bytes salt, uint32 iterations (kPasswordIterations..
//             kMaxPasswordIterations)
//   16 bytes  file id, random for each file
//   uint32    chunk size: the data file's plain bytes per chunk, or the journal's largest
//             segment (kMinChunkBytes..kMaxChunkBytes)
//   12 bytes  nonce and 16 bytes tag of the key check: AES-GCM over no text, with every
//             header byte before the nonce as associated data, so that a key is known
//             to be the file's before any content is read
//   uint64    CContentDigest of every header byte before it, so that a damaged header is
//             told apart from a wrong password or another account
// What follows: encrypted_data_writer.h and encrypted_journal.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/crypto/aes_gcm.h"
#include "store/encrypted/encryption_mode.h"

class CStoreKey;

enum class EEncryptedFile { kData, kJournal };

inline constexpr std::size_t kEncryptedMagicBytes = 16;
inline constexpr std::uint32_t kEncryptedVersion = 1;
inline constexpr std::size_t kFileIdBytes = 16;
inline constexpr std::uint32_t kMaxPasswordIterations = 10'000'000;
inline constexpr std::uint32_t kMaxAccountBlobBytes = 4096;
inline constexpr std::uint32_t kDataChunkBytes = std::uint32_t{1} << 20;
inline constexpr std::uint32_t kMinChunkBytes = 16;
inline constexpr std::uint32_t kMaxChunkBytes = std::uint32_t{16} << 20;

using TFileId = std::array<std::uint8_t, kFileIdBytes>;

struct CEncryptedHeader {
  EEncryptedFile file = EEncryptedFile::kData;
  // Why the header cannot be used (an unknown version, a field out of bounds, a digest that
  // does not match); empty for a sound header. The fields after the damage are not set.
  std::string damage;
  EEncryption mode = EEncryption::kOff;
  std::vector<std::uint8_t> protection;   // the bytes after the mode (CStoreKey::Protection)
  std::vector<std::uint8_t> accountBlob;  // mode 1
  std::vector<std::uint8_t> salt;         // mode 2
  std::uint32_t iterations = 0;           // mode 2
  TFileId fileId{};
  std::uint32_t chunkBytes = 0;
  std::array<std::uint8_t, kGcmNonceBytes> checkNonce{};
  std::array<std::uint8_t, kGcmTagBytes> checkTag{};
  std::vector<std::uint8_t> checked;  // the header bytes the key check covers
  std::uint64_t size = 0;             // of the whole header: where the content begins
};

// The header of the file at `path`; none when it is not an encrypted file (plain, legacy,
// absent). A file cut within the magic after its first 8 bytes has a damaged header: an
// older reader would take it for an empty store. Reads only the header. Throws CFileError when the
// file exists but cannot be read.
std::optional<CEncryptedHeader> ReadEncryptedHeader(const std::filesystem::path& path);
// The same from the first `size` bytes of `source`.
std::optional<CEncryptedHeader> ReadEncryptedHeader(CByteSource& source, std::uint64_t size);

// A new header for a file of `key`, with a new random file id.
std::vector<std::uint8_t> NewEncryptedHeader(EEncryptedFile file, const CStoreKey& key,
                                             std::uint32_t chunkBytes, TFileId* fileId);

// True when the key check of `header` passes with `key`.
bool KeyCheckPasses(const CEncryptedHeader& header, const CAesGcmKey& key);
