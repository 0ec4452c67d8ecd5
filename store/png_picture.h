#pragma once
// A picture kept as its PNG image and decoded only when its pixels are asked for: a store of
// thousands of screenshots loads none of their pixels, and holds only those someone is using.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "foundation/bitmap.h"

class CPngPicture {
 public:
  // Takes the image whose header names `size`, which the caller has read and checked
  // against TBitmap's limits.
  CPngPicture(std::vector<std::uint8_t> png, TBitmap::Size size);

  std::span<const std::uint8_t> Bytes() const { return png_; }
  TBitmap::Size Size() const { return size_; }

  // The pixels, decoded now unless someone still holds those decoded before. The last few
  // pictures decoded are held here too, so that a row, its preview and a paste of the same
  // clip decode once; the others are let go as soon as their users are done. Null when the
  // image cannot be decoded: that is logged the first time, and never tried again.
  std::shared_ptr<const TBitmap> Pixels() const;
  // Makes `pixels` what Pixels gives while anyone holds them, as the last decoded: the
  // picture the image was encoded from, which need not be decoded again.
  void Adopt(std::shared_ptr<const TBitmap> pixels) const;
  // The pixels if someone holds them decoded, never decoding.
  std::shared_ptr<const TBitmap> PixelsIfDecoded() const;
  // True once a decode failed.
  bool Undecodable() const;

 private:
  const std::vector<std::uint8_t> png_;
  const TBitmap::Size size_;
  mutable std::mutex mutex_;
  mutable std::weak_ptr<const TBitmap> decoded_;
  mutable bool undecodable_ = false;
};

// For tests: the images decoded for their pixels since the program started.
std::size_t PngPictureDecodes();
// For tests: lets go of the pictures held as recently decoded.
void ForgetRecentlyDecodedPictures();
