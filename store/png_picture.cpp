#include "store/png_picture.h"

#include <atomic>
#include <deque>
#include <optional>
#include <string>
#include <utility>

#include "foundation/log.h"

namespace {

std::atomic<std::size_t> pngPictureDecodes{0};

// Enough for the preview, the paste and the drag of one clip and a neighbour: a screenshot
// decoded is 6 to 8 MB.
constexpr std::size_t kRecentlyDecoded = 3;

struct CRecentPictures {
  std::mutex mutex;
  std::deque<std::shared_ptr<const TBitmap>> pictures;
};

CRecentPictures& RecentPictures() {
  static CRecentPictures recent;
  return recent;
}

void KeepRecent(std::shared_ptr<const TBitmap> picture) {
  CRecentPictures& recent = RecentPictures();
  std::shared_ptr<const TBitmap> dropped;  // freed after the lock is released
  const std::lock_guard lock(recent.mutex);
  recent.pictures.push_front(std::move(picture));
  if (recent.pictures.size() > kRecentlyDecoded) {
    dropped = std::move(recent.pictures.back());
    recent.pictures.pop_back();
  }
}

}  // namespace

CPngPicture::CPngPicture(std::vector<std::uint8_t> png, TBitmap::Size size)
    : png_(std::move(png)), size_(size) {}

std::shared_ptr<const TBitmap> CPngPicture::Pixels() const {
  const std::lock_guard lock(mutex_);
  if (std::shared_ptr<const TBitmap> held = decoded_.lock()) return held;
  if (undecodable_) return nullptr;
  ++pngPictureDecodes;
  std::optional<TBitmap> picture = TBitmap::FromPng(png_);
  // The header was read at load; the rest may still be damaged, or the memory lacking.
  if (!picture || picture->Width() != size_.width || picture->Height() != size_.height) {
    undecodable_ = true;
    LogError("A picture of " + std::to_string(size_.width) + " x " + std::to_string(size_.height) +
             " pixels cannot be decoded; it cannot be shown or pasted, and is kept as it is");
    return nullptr;
  }
  auto pixels = std::make_shared<const TBitmap>(std::move(*picture));
  decoded_ = pixels;
  KeepRecent(pixels);
  return pixels;
}

void CPngPicture::Adopt(std::shared_ptr<const TBitmap> pixels) const {
  const std::lock_guard lock(mutex_);
  decoded_ = pixels;
  KeepRecent(std::move(pixels));
}

std::shared_ptr<const TBitmap> CPngPicture::PixelsIfDecoded() const {
  const std::lock_guard lock(mutex_);
  return decoded_.lock();
}

bool CPngPicture::Undecodable() const {
  const std::lock_guard lock(mutex_);
  return undecodable_;
}

std::size_t PngPictureDecodes() {
  return pngPictureDecodes.load();
}

void ForgetRecentlyDecodedPictures() {
  CRecentPictures& recent = RecentPictures();
  std::deque<std::shared_ptr<const TBitmap>> dropped;
  const std::lock_guard lock(recent.mutex);
  dropped.swap(recent.pictures);
}
