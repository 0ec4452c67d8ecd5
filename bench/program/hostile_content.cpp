#include "bench/program/hostile_content.h"

namespace {

// Sizes of the headers as the system lays them out.
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kTwoColourTableBytes = 8;
constexpr std::size_t kDropFilesBytes = 20;

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                     int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t OneBitStride(int width) {
  return (static_cast<std::size_t>(width) + 31) / 32 * 4;
}

}  // namespace

std::size_t OneBitDibBytes(int width, int height) {
  return kInfoHeaderBytes + kTwoColourTableBytes + OneBitStride(width) * height;
}

std::vector<std::uint8_t> OneBitDib(int width, int height) {
  std::vector<std::uint8_t> dib(OneBitDibBytes(width, height));
  const std::size_t rows = OneBitStride(width) * height;
  PutLittleEndian(dib, 0, kInfoHeaderBytes, 4);
  PutLittleEndian(dib, 4, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(dib, 8, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up
  PutLittleEndian(dib, 12, 1, 2);                                  // planes
  PutLittleEndian(dib, 14, 1, 2);                                  // bits a pixel
  PutLittleEndian(dib, 16, 0, 4);                                  // BI_RGB
  PutLittleEndian(dib, 20, static_cast<std::uint32_t>(rows), 4);
  PutLittleEndian(dib, 32, 2, 4);  // colours used
  // Black, then white (blue, green, red, reserved).
  PutLittleEndian(dib, kInfoHeaderBytes + 4, 0x00FF'FFFF, 4);
  // Stripes of 8 pixels: every page of the rows is written, as a real picture's would be.
  for (std::size_t i = kInfoHeaderBytes + kTwoColourTableBytes; i < dib.size(); ++i) {
    dib[i] = 0xF0;
  }
  return dib;
}

std::vector<std::uint8_t> OneLetterDropList(std::size_t bytes, std::size_t* paths) {
  // Header, two bytes a path, one NUL at the end.
  const std::size_t count = bytes > kDropFilesBytes + 1 ? (bytes - kDropFilesBytes - 1) / 2 : 0;
  std::vector<std::uint8_t> block(kDropFilesBytes + 2 * count + 1, 0);
  PutLittleEndian(block, 0, kDropFilesBytes, 4);  // pFiles: the paths follow the header
  // pt (8 bytes) and fNC stay 0; fWide (at 16) stays 0: ANSI paths.
  for (std::size_t i = 0; i < count; ++i) {
    block[kDropFilesBytes + 2 * i] = static_cast<std::uint8_t>('a' + i % 26);
  }
  *paths = count;
  return block;
}
