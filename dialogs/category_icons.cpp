#include "dialogs/category_icons.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "foundation/bitmap.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

namespace {

constexpr int kIconSide = 16;

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

// An image list of the 16 x 16 icons side by side in the resource `name`: the 32-bit
// pixels with their alpha, and a mask (set where a pixel is mostly transparent) for
// drawing that does not blend.
UniqueImageList LoadIconStrip(const wchar_t* name) {
  const TBitmap strip = ReadBitmapResource(name);
  if (strip.Empty() || strip.BitsPerPixel() != 32 || strip.Height() != kIconSide) return {};
  const int width = strip.Width();
  const int count = width / kIconSide;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -kIconSide;  // top-down, as TBitmap keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || bits == nullptr) return {};
  for (int y = 0; y < kIconSide; ++y) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + static_cast<std::size_t>(y) * width * 4,
                strip.Row(y), static_cast<std::size_t>(width) * 4);
  }

  // Monochrome rows are padded to 16 bits for CreateBitmap; a set bit is transparent.
  const int maskStride = (width + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride) * kIconSide, 0);
  for (int y = 0; y < kIconSide; ++y) {
    for (int x = 0; x < width; ++x) {
      if (strip.Row(y)[x * 4 + 3] < 128) {
        maskBits[static_cast<std::size_t>(y * maskStride + x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  UniqueBitmap mask(CreateBitmap(width, kIconSide, 1, 1, maskBits.data()));

  UniqueImageList list(ImageList_Create(kIconSide, kIconSide, ILC_COLOR32 | ILC_MASK, count, 0));
  if (!list || !mask) return {};
  if (ImageList_Add(list.get(), colour.get(), mask.get()) < 0) return {};
  return list;
}

}  // namespace

UniqueImageList LoadCategoriesIcons() {
  return LoadIconStrip(L"CATEGORY_ICONS");
}

UniqueImageList LoadMoreIcons() {
  return LoadIconStrip(L"MORE_ICONS");
}
