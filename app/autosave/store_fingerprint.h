#pragma once
// The store has no change signal of its own: every part of the program changes it
// directly. A fingerprint of everything the data file keeps tells whether it changed
// since it was last taken, in one walk of the clip list.

#include <cstdint>

#include "store/database.h"

// Differs (but for hash collisions) whenever a clip is added, removed, moved, reordered or
// given a hot key, or a category is added, removed or edited. Clip ids are fresh for every
// clip the store takes in, so a clip replaced by another never fingerprints the same.
std::uint64_t StoreFingerprint(const CDataBase& store);
