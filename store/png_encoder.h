#pragma once
// Pictures encoded as PNG images on a thread of their own: an encode takes a fifth of a
// second for a screenshot, which the window's thread never waits for. A clip asks for its
// image and, until it is made, keeps writing the BMP record.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "foundation/bitmap.h"

// The PNG image of one picture, filled in by the encoder's thread.
class CPendingPng {
 public:
  // None while the encode is pending; an empty image when the codec failed.
  std::optional<std::vector<std::uint8_t>> Take();

 private:
  friend class CPngEncoder;
  std::mutex mutex_;
  std::optional<std::vector<std::uint8_t>> png_;
};

// Queues `picture` (held, not copied: a picture is replaced, never changed in place) for
// encoding. The encode is dropped, unstarted or unkept, once the result is let go.
std::shared_ptr<CPendingPng> EncodePngLater(std::shared_ptr<const TBitmap> picture);

// For tests: holds the encoder before its next picture while `paused`.
void PausePngEncodes(bool paused);
// For tests: returns once no picture is queued or being encoded.
void WaitForPngEncodes();
// For tests: the pictures encoded, whichever clip asked.
std::size_t PngEncodesDone();
