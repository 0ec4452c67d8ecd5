#include "dialogs/win32/category_icons.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "foundation/bitmap.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "platform/dib_info.h"
#include "resources/icon_art.h"

namespace {

// The bitmap resource `name` of the executable, read as the BMP file it was made from (a
// bitmap resource is that file without its 14-byte file header). Empty when it is missing
// or cannot be read.
TBitmap ReadBitmapResource(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  CByteWriter file;
  file.WriteBytes("BM", 2);
  file.WriteUInt32(14 + SizeofResource(module, found));
  file.WriteUInt32(0);
  file.WriteUInt32(0);
  file.WriteBytes(data, SizeofResource(module, found));
  try {
    CByteReader reader(file.Bytes().data(), file.Size());
    return TBitmap::ReadBmp(reader);
  } catch (const std::exception&) {
    return {};
  }
}

// An image list of the square icons side by side in `strip`: the 32-bit pixels with their
// alpha, and a mask (set where a pixel is mostly transparent) for drawing that does not
// blend.
UniqueImageList ImageListOf(const TBitmap& strip) {
  const int side = strip.Height();
  if (strip.Empty() || strip.BitsPerPixel() != 32 || side < 1) return {};
  const int width = strip.Width();
  const int count = width / side;

  const BITMAPINFO info = TopDownDibInfo(width, side, 32);
  void* bits = nullptr;
  UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || bits == nullptr) return {};
  for (int y = 0; y < side; ++y) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + static_cast<std::size_t>(y) * width * 4,
                strip.Row(y), static_cast<std::size_t>(width) * 4);
  }

  // Monochrome rows are padded to 16 bits for CreateBitmap; a set bit is transparent.
  const int maskStride = (width + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * side, 0);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < width; ++x) {
      if (strip.Row(y)[x * 4 + 3] < 128) {
        maskBits[static_cast<std::size_t>(y * maskStride + x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  UniqueBitmap mask(CreateBitmap(width, side, 1, 1, maskBits.data()));

  UniqueImageList list(ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, count, 0));
  if (!list || !mask) return {};
  if (ImageList_Add(list.get(), colour.get(), mask.get()) < 0) return {};
  return list;
}

}  // namespace

UniqueImageList LoadCategoriesIcons(int side) {
  if (side == kIconSide) return ImageListOf(ReadBitmapResource(L"CATEGORY_ICONS"));
  return ImageListOf(MakeCategoryIconsImage(std::max(side, 1)));
}

HIMAGELIST CategoryIconsOfSide(HIMAGELIST given, int side, UniqueImageList& own) {
  int width = 0;
  int height = 0;
  if (given != nullptr && ImageList_GetIconSize(given, &width, &height) && width == side) {
    return given;
  }
  if (own && ImageList_GetIconSize(own.get(), &width, &height) && width == side) return own.get();
  own = LoadCategoriesIcons(side);
  return own ? own.get() : given;
}

UniqueImageList LoadMoreIcons(int side) {
  if (side == kIconSide) return ImageListOf(ReadBitmapResource(L"MORE_ICONS"));
  return ImageListOf(MakeMoreIconsImage(std::max(side, 1)));
}
