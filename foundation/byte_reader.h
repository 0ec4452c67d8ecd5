#pragma once
// Reading little-endian binary data that nobody vouches for: a data file, a BMP image.
// Every read goes through one bounded step that compares the wanted length with what
// remains, so no length taken from the data can lead a read past the end.

#include <cstddef>
#include <cstdint>
#include <string>

class CByteReader {
 public:
  // Reads `size` bytes at `data`, which must outlive the reader.
  CByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Position() const { return position_; }
  std::size_t Size() const { return size_; }
  std::size_t Remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ == size_; }

  // Points `out` at the next `count` bytes and moves past them. False, with nothing
  // moved, when fewer remain.
  bool Take(std::size_t count, const std::uint8_t** out);
  bool Skip(std::size_t count);
  // Moves to an absolute position no further than the end.
  bool Seek(std::size_t position);

  bool ReadUInt16(std::uint16_t* value);
  bool ReadUInt32(std::uint32_t* value);
  bool ReadInt32(std::int32_t* value);
  // An IEEE 754 double, bit for bit.
  bool ReadDouble(double* value);
  // `count` UTF-16 code units.
  bool ReadUtf16(std::size_t count, std::u16string* text);

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};
