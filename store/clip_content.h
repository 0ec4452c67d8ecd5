#pragma once
// What makes two clips the same content, and a 64-bit hash that agrees with it: clips of the
// same content always hash alike, so that the store need compare content only on a hash hit.

#include <cstdint>

#include "store/base_item.h"

// Same kind and the same text with the same formats, the same files with the same drop
// effect, or pictures of the same size with the same colours (a picture read back from the
// data file may be held at another depth than the one on the clipboard).
bool HaveSameContent(const CBaseItem& a, const CBaseItem& b);

// The hash of what HaveSameContent compares: a picture's 32-bit colours and size, whatever
// depth holds them. Not a defence against crafted collisions, which only cost a comparison.
std::uint64_t ContentHash(const CBaseItem& clip);
