#pragma once
// What makes two clips the same content, and a 64-bit hash that agrees with it: clips of the
// same content always hash alike, so that the store need compare content only on a hash hit.

#include <cstdint>

#include "foundation/bitmap.h"
#include "store/base_item.h"

// Whether a comparison of pictures may decode those kept only as their PNG images.
enum class EPictureDecode { kAllowed, kNotAllowed };

// Same kind and the same text with the same formats, the same files with the same drop
// effect, or pictures of the same size with the same colours (a picture read back from the
// data file may be held at another depth than the one on the clipboard). Without decoding,
// a picture kept as its image and not decoded since the program started (its colours'
// digest unknown) is compared by its image, the other's encoded now if it is not yet: a
// search through thousands of screenshots must not decode them all.
bool HaveSameContent(const CBaseItem& a, const CBaseItem& b,
                     EPictureDecode decode = EPictureDecode::kAllowed);

// The hash of what HaveSameContent compares, for a picture its size alone (its pixels may
// not be decoded). Not a defence against crafted collisions, which only cost a comparison.
std::uint64_t ContentHash(const CBaseItem& clip);

// The digest of a picture's 32-bit colours and size, whatever depth holds them.
std::uint64_t ColourDigestOf(const TBitmap& picture);
