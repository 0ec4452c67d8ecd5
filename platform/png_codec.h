#pragma once
// PNG images, decoded and encoded by the system's codec: the Windows Imaging Component on
// Windows, libpng in the native build. The layers above see only 32-bit pixels.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Pixels as a 32-bit device-independent bitmap holds them: blue, green, red, alpha (not
// premultiplied), rows top-down without padding.
struct CPngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
};

// Decodes a PNG image. False, with `out` unchanged, when the bytes are no PNG image the
// codec reads, or its pixels would take more than `maxPixelBytes` or either side more
// than `maxSide` pixels (checked before they are allocated).
bool DecodePng(std::span<const std::uint8_t> png, int maxSide, std::size_t maxPixelBytes,
               CPngPixels* out);

// Encodes the pixels as a PNG image with an alpha channel; empty on failure.
std::vector<std::uint8_t> EncodePng(const CPngPixels& pixels);

// Readies the calling thread for the codec while it lives, for a thread that encodes or
// decodes many images: on Windows it enters COM in the apartment the codec's calls use,
// so that each call does not enter and leave it again.
class CPngCodecThread {
 public:
  CPngCodecThread();
  ~CPngCodecThread();
  CPngCodecThread(const CPngCodecThread&) = delete;
  CPngCodecThread& operator=(const CPngCodecThread&) = delete;

 private:
  [[maybe_unused]] bool entered_ = false;  // Windows only
};
