#pragma once
// A picture clip's thumbnail in its row, made when the row is first drawn: building the tree
// of a store of thousands of pictures decodes none of them, and only the rows shown ever do.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "foundation/bitmap.h"

class CClipThumbnail {
 public:
  // Makes the thumbnail, or null when it cannot be made (its row then shows its text).
  using Maker = std::function<std::unique_ptr<TBitmap>()>;

  CClipThumbnail() = default;
  // A thumbnail made already.
  CClipThumbnail(std::unique_ptr<TBitmap> made);  // NOLINT: as a thumbnail is assigned
  // A thumbnail `height` pixels high, made by `maker` when it is first looked at.
  CClipThumbnail(Maker maker, int height);

  // Whether there is a thumbnail to draw: asking makes it.
  explicit operator bool() const { return get() != nullptr; }
  const TBitmap& operator*() const { return *get(); }
  const TBitmap* operator->() const { return get(); }
  // The thumbnail, made now if it is not yet; null when there is none or it failed.
  const TBitmap* get() const;
  // The height asked for, known before it is made; 0 without a thumbnail.
  int Height() const { return height_; }
  // Whether making it was tried and failed: the row says so instead of showing its caption.
  bool Failed() const { return failed_; }
  void reset();
  // Against null as a pointer to the thumbnail is: asking makes it.
  friend bool operator==(const CClipThumbnail& thumbnail, std::nullptr_t) { return !thumbnail; }

 private:
  mutable Maker maker_;
  mutable std::unique_ptr<TBitmap> made_;
  mutable bool failed_ = false;
  int height_ = 0;
};

// What a picture clip's row says when its thumbnail could not be made.
inline constexpr char16_t kUnreadablePictureText[] = u"This picture cannot be read or shown";
