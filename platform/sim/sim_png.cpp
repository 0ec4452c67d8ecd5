// The native build's PNG codec: libpng's simplified interface, which does what the
// Windows Imaging Component does for the program (any PNG in, 32-bit BGRA out and back).

#include <png.h>

#include "platform/png_codec.h"

bool DecodePng(std::span<const std::uint8_t> png, int maxSide, std::size_t maxPixelBytes,
               CPngPixels* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
  image.format = PNG_FORMAT_BGRA;
  const std::size_t bytes = PNG_IMAGE_SIZE(image);
  if (image.width == 0 || image.height == 0 || image.width > static_cast<png_uint_32>(maxSide) ||
      image.height > static_cast<png_uint_32>(maxSide) || bytes > maxPixelBytes) {
    png_image_free(&image);
    return false;
  }
  std::vector<std::uint8_t> pixels(bytes);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->bgra = std::move(pixels);
  return true;
}

std::vector<std::uint8_t> EncodePng(const CPngPixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.bgra.size() != static_cast<std::size_t>(pixels.width) * pixels.height * 4) {
    return {};
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.bgra.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> png(size);
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.bgra.data(), 0, nullptr)) {
    return {};
  }
  png.resize(size);
  return png;
}

// libpng needs nothing of the thread.
CPngCodecThread::CPngCodecThread() = default;
CPngCodecThread::~CPngCodecThread() = default;
