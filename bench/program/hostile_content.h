#pragma once
// Clipboard content that costs little to offer and much to take: a packed DIB of 1 bit a
// pixel (small on the clipboard, 32 times larger at 32 bits a pixel) and an ANSI drop list
// of one-letter paths (each a few bytes on the clipboard, a whole string once read).
// Portable, so that the blocks are checked natively with the store's own readers.

#include <cstddef>
#include <cstdint>
#include <vector>

// A CF_DIB block: a BITMAPINFOHEADER of 1 bit a pixel, bottom-up, its two-colour table,
// then the rows (each padded to 4 bytes) in a stripe pattern, so that every page is
// written. Width and height must be positive.
std::vector<std::uint8_t> OneBitDib(int width, int height);

// Bytes of OneBitDib(width, height) without making it.
std::size_t OneBitDibBytes(int width, int height);

// A CF_HDROP block of about `bytes` bytes: a DROPFILES header with ANSI paths, then paths
// of one letter each ("a", "b", ..., "z", "a", ...), each ending in a NUL, and the NUL that
// ends the list. `*paths` gets how many paths it holds.
std::vector<std::uint8_t> OneLetterDropList(std::size_t bytes, std::size_t* paths);
