#pragma once
// The sealing of one chunk of an encrypted file's content: nonce, cipher bytes, tag.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "foundation/crypto/aes_gcm.h"

inline constexpr std::size_t kSealedChunkOverhead = kGcmNonceBytes + kGcmTagBytes;

// Appends to `out` a random nonce, `plain` encrypted, and the tag over it and `aad`.
void AppendSealedChunk(const CAesGcmKey& key, std::span<const std::uint8_t> aad,
                       std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out);
// Opens `sealed` (nonce, cipher, tag) into `plain`, which is resized to fit. False when it
// fails authentication or is shorter than a nonce and a tag.
bool OpenSealedChunk(const CAesGcmKey& key, std::span<const std::uint8_t> aad,
                     std::span<const std::uint8_t> sealed, std::vector<std::uint8_t>& plain);

// The associated data of a data file's chunk: the file id, the uint64 index, 1 for the
// last chunk or 0.
std::vector<std::uint8_t> DataChunkAad(std::span<const std::uint8_t> fileId, std::uint64_t index,
                                       bool last);
// The associated data of a journal's segment: the file id, the uint64 index, the uint32
// plain length.
std::vector<std::uint8_t> JournalSegmentAad(std::span<const std::uint8_t> fileId,
                                            std::uint64_t index, std::uint32_t length);
