#include "categories/clip_thumbnail.h"

#include <utility>

CClipThumbnail::CClipThumbnail(std::unique_ptr<TBitmap> made)
    : made_(std::move(made)), height_(made_ ? made_->Height() : 0) {}

CClipThumbnail::CClipThumbnail(Maker maker, int height)
    : maker_(std::move(maker)), height_(height) {}

const TBitmap* CClipThumbnail::get() const {
  if (maker_) {
    // Once, whatever comes of it: a picture that cannot be decoded is not tried again at
    // every paint.
    Maker maker = std::move(maker_);
    maker_ = nullptr;
    made_ = maker();
    failed_ = made_ == nullptr;
  }
  return made_.get();
}

void CClipThumbnail::reset() {
  maker_ = nullptr;
  made_.reset();
  failed_ = false;
  height_ = 0;
}
