#include "store/clip_content.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "foundation/bitmap.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

// Eight bytes a step with a multiply and a shift: a text of a kilobyte in a fraction of a
// microsecond. Each piece is preceded by its length, so that pieces cannot run together.
class CContentHasher {
 public:
  void Add(const void* data, std::size_t bytes) {
    Mix(bytes);
    const auto* next = static_cast<const std::uint8_t*>(data);
    for (; bytes >= 8; bytes -= 8, next += 8) {
      std::uint64_t word;
      std::memcpy(&word, next, 8);
      Mix(word);
    }
    if (bytes != 0) {
      std::uint64_t tail = 0;
      std::memcpy(&tail, next, bytes);
      Mix(tail);
    }
  }
  void Add(const std::u16string& text) { Add(text.data(), text.size() * sizeof(char16_t)); }
  void Add(const CClipText& text) { Add(text.Bytes().data(), text.Bytes().size()); }
  void Add(std::uint64_t value) { Mix(value); }

  std::uint64_t Value() const {
    std::uint64_t h = hash_;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
  }

 private:
  void Mix(std::uint64_t word) {
    hash_ = (hash_ ^ word) * 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 29;
  }

  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

void AddPicture(CContentHasher& hasher, const TBitmap& picture) {
  hasher.Add(static_cast<std::uint64_t>(picture.Width()));
  hasher.Add(static_cast<std::uint64_t>(picture.Height()));
  // Row by row, so that a large picture is never copied whole.
  std::vector<std::uint32_t> row(static_cast<std::size_t>(picture.Width()));
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      row[static_cast<std::size_t>(x)] = picture.PixelColor(x, y);
    }
    hasher.Add(row.data(), row.size() * sizeof(std::uint32_t));
  }
}

// The digest of the picture's colours, made once; none when its pixels are not at hand
// and may not be decoded, or do not decode.
std::optional<std::uint64_t> ColourDigest(const CImageItem& clip, EPictureDecode decode) {
  if (clip.colourDigest) return clip.colourDigest;
  const std::shared_ptr<const TBitmap> picture =
      decode == EPictureDecode::kAllowed ? clip.Picture() : clip.DecodedPicture();
  if (!picture) return std::nullopt;
  clip.colourDigest = ColourDigestOf(*picture);
  return clip.colourDigest;
}

// Whether every pixel has the same colour, row by row so that no picture is copied whole.
bool SameColours(const TBitmap& x, const TBitmap& y) {
  for (int row = 0; row < x.Height(); ++row) {
    for (int column = 0; column < x.Width(); ++column) {
      if (x.PixelColor(column, row) != y.PixelColor(column, row)) return false;
    }
  }
  return true;
}

}  // namespace

std::uint64_t ColourDigestOf(const TBitmap& picture) {
  CContentHasher hasher;
  AddPicture(hasher, picture);
  return hasher.Value();
}

bool HaveSameContent(const CBaseItem& a, const CBaseItem& b, EPictureDecode decode) {
  if (a.kind != b.kind) return false;
  if (const auto* text = dynamic_cast<const CTextItem*>(&a)) {
    const auto& other = static_cast<const CTextItem&>(b);
    return text->text == other.text && text->formats == other.formats;
  }
  if (const auto* files = dynamic_cast<const CFileListItem*>(&a)) {
    const auto& other = static_cast<const CFileListItem&>(b);
    return files->paths == other.paths && files->dropEffect == other.dropEffect;
  }
  const auto* first = dynamic_cast<const CImageItem*>(&a);
  const auto* second = dynamic_cast<const CImageItem*>(&b);
  if (first == nullptr || second == nullptr) return false;
  const std::optional<TBitmap::Size> firstSize = first->PictureSize();
  const std::optional<TBitmap::Size> secondSize = second->PictureSize();
  if (!firstSize || !secondSize || firstSize->width != secondSize->width ||
      firstSize->height != secondSize->height) {
    return false;
  }
  // The same image is the same picture, and neither need be decoded.
  const std::span<const std::uint8_t> firstPng = first->ReadyPng();
  const std::span<const std::uint8_t> secondPng = second->ReadyPng();
  if (!firstPng.empty() && std::ranges::equal(firstPng, secondPng)) return true;
  const std::optional<std::uint64_t> firstDigest = ColourDigest(*first, decode);
  const std::optional<std::uint64_t> secondDigest = ColourDigest(*second, decode);
  if (!firstDigest || !secondDigest) {
    // A picture not decoded since the start is compared by its image: the same encoder
    // makes the same bytes of the same colours, and the other's image, made now if need
    // be, is kept as the one its clip saves.
    if (decode == EPictureDecode::kAllowed) return false;
    const std::span<const std::uint8_t> firstImage = first->EncodedPng();
    const std::span<const std::uint8_t> secondImage = second->EncodedPng();
    return !firstImage.empty() && std::ranges::equal(firstImage, secondImage);
  }
  if (*firstDigest != *secondDigest) return false;
  const std::shared_ptr<const TBitmap> firstPicture = first->Picture();
  const std::shared_ptr<const TBitmap> secondPicture = second->Picture();
  if (!firstPicture || !secondPicture) return false;
  const TBitmap& x = *firstPicture;
  const TBitmap& y = *secondPicture;
  // Without alpha the fourth byte of a 32-bit pixel means nothing: a PNG picture record
  // gives back 255 where the clipboard's bitmap held 0.
  const bool fourthBytesMatter = x.BitsPerPixel() != 32 || x.HasAlpha() || y.HasAlpha();
  if (x.BitsPerPixel() == y.BitsPerPixel() && x.Masks() == y.Masks() &&
      x.Palette() == y.Palette() && fourthBytesMatter) {
    return x == y;
  }
  return SameColours(x, y);
}

std::uint64_t ContentHash(const CBaseItem& clip) {
  CContentHasher hasher;
  hasher.Add(static_cast<std::uint64_t>(clip.kind));
  if (const auto* text = dynamic_cast<const CTextItem*>(&clip)) {
    hasher.Add(text->text);
    for (const CClipFormat& format : text->formats) {
      hasher.Add(format.name);
      hasher.Add(format.data.data(), format.data.size());
    }
  } else if (const auto* files = dynamic_cast<const CFileListItem*>(&clip)) {
    hasher.Add(static_cast<std::uint64_t>(files->paths.size()));
    for (const std::u16string& path : files->paths) hasher.Add(path);
    hasher.Add(static_cast<std::uint64_t>(files->dropEffect));
  } else if (const auto* image = dynamic_cast<const CImageItem*>(&clip)) {
    // By its size alone, known without decoding: a store loads thousands of pictures
    // without their pixels. Pictures of one size are told apart by their colours' digests,
    // made once each (HaveSameContent).
    if (const std::optional<TBitmap::Size> size = image->PictureSize()) {
      hasher.Add(static_cast<std::uint64_t>(size->width));
      hasher.Add(static_cast<std::uint64_t>(size->height));
    }
  }
  return hasher.Value();
}
