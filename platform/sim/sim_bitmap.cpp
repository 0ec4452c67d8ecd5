// Device-dependent bitmaps as on a true-colour display: 32 bits a pixel in memory, of
// which the display keeps 24 (the fourth byte reads back as 0). Only the device-independent
// formats that the program exchanges with bitmaps are converted: 32 bits a pixel, and 24 for
// creating one.

#include <cstring>

#include "platform/sim/sim_state.h"

namespace {
using sim::detail::DeviceBitmap;
using sim::detail::FindBitmap;
using sim::detail::State;

const HDC kScreenDc = reinterpret_cast<HDC>(std::uintptr_t{0x5C5C});

std::size_t Stride(int width, int bitCount) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

// Row of the image (top-down) that scan line `line` of a DIB of this height describes.
int ImageRow(int line, LONG dibHeight, int imageHeight) {
  return dibHeight < 0 ? line : imageHeight - 1 - line;
}
}  // namespace

HDC GetDC(HWND) {
  return kScreenDc;
}

int ReleaseDC(HWND, HDC dc) {
  return dc == kScreenDc ? 1 : 0;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  const DeviceBitmap* bitmap = FindBitmap(object);
  if (bitmap == nullptr) return 0;
  if (buffer == nullptr) return sizeof(BITMAP);
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP info{};
  info.bmWidth = bitmap->width;
  info.bmHeight = bitmap->height;
  info.bmWidthBytes = bitmap->width * 4;
  info.bmPlanes = 1;
  info.bmBitsPixel = 32;
  std::memcpy(buffer, &info, sizeof info);
  return sizeof(BITMAP);
}

int GetDIBits(HDC dc, HBITMAP handle, UINT firstLine, UINT lines, LPVOID bits, BITMAPINFO* info,
              UINT usage) {
  const DeviceBitmap* bitmap = FindBitmap(handle);
  if (dc == nullptr || bitmap == nullptr || info == nullptr || usage != DIB_RGB_COLORS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& header = info->bmiHeader;
  if (bits == nullptr) {
    if (header.biBitCount == 0) {
      header.biWidth = bitmap->width;
      header.biHeight = bitmap->height;
      header.biPlanes = 1;
      header.biBitCount = 32;
      header.biCompression = BI_RGB;
    }
    header.biSizeImage = static_cast<DWORD>(Stride(header.biWidth, header.biBitCount) *
                                            static_cast<std::size_t>(bitmap->height));
    return bitmap->height;
  }
  if (header.biBitCount != 32 || header.biCompression != BI_RGB ||
      header.biWidth != bitmap->width) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto* out = static_cast<std::uint8_t*>(bits);
  int copied = 0;
  for (UINT line = firstLine; line < firstLine + lines && line < UINT(bitmap->height); ++line) {
    int row = ImageRow(static_cast<int>(line), header.biHeight, bitmap->height);
    const auto* source = &bitmap->pixels[static_cast<std::size_t>(row) * bitmap->width];
    std::memcpy(out + static_cast<std::size_t>(copied) * Stride(bitmap->width, 32), source,
                static_cast<std::size_t>(bitmap->width) * 4);
    ++copied;
  }
  return copied;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, LPCVOID bits,
                       const BITMAPINFO* info, UINT usage) {
  if (dc == nullptr || header == nullptr || header->biWidth <= 0 || header->biHeight == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = std::make_unique<DeviceBitmap>();
  bitmap->width = header->biWidth;
  bitmap->height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  bitmap->pixels.assign(static_cast<std::size_t>(bitmap->width) * bitmap->height, 0);
  if (init & CBM_INIT) {
    if (bits == nullptr || info == nullptr || usage != DIB_RGB_COLORS) return nullptr;
    const auto& format = info->bmiHeader;
    int bitCount = format.biBitCount;
    if ((bitCount != 32 && bitCount != 24) || format.biCompression != BI_RGB ||
        format.biWidth != bitmap->width) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    int sourceHeight = format.biHeight < 0 ? -format.biHeight : format.biHeight;
    const auto* in = static_cast<const std::uint8_t*>(bits);
    for (int line = 0; line < sourceHeight && line < bitmap->height; ++line) {
      int row = ImageRow(line, format.biHeight, bitmap->height);
      const std::uint8_t* source =
          in + static_cast<std::size_t>(line) * Stride(bitmap->width, bitCount);
      for (int x = 0; x < bitmap->width; ++x) {
        const std::uint8_t* pixel = source + static_cast<std::size_t>(x) * (bitCount / 8);
        bitmap->pixels[static_cast<std::size_t>(row) * bitmap->width + x] =
            std::uint32_t{pixel[0]} | std::uint32_t{pixel[1]} << 8 | std::uint32_t{pixel[2]} << 16;
      }
    }
  }
  auto handle = sim::detail::NewHandleValue();
  State().bitmaps.emplace(handle, std::move(bitmap));
  return reinterpret_cast<HBITMAP>(handle);
}

BOOL DeleteObject(HGDIOBJ object) {
  DeviceBitmap* bitmap = FindBitmap(object);
  if (bitmap == nullptr) return FALSE;
  if (bitmap->ownedByClipboard) {
    sim::detail::RecordMisuse("DeleteObject of a bitmap that belongs to the clipboard");
    return FALSE;
  }
  State().bitmaps.erase(reinterpret_cast<std::uintptr_t>(object));
  return TRUE;
}
