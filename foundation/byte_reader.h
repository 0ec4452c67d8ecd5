#pragma once
// Reading little-endian binary data that nobody vouches for: a data file, a BMP image.
// Every read goes through one bounded step that compares the wanted length with what
// remains, so no length taken from the data can lead a read past the end. Positions and
// sizes are 64-bit: a file may be larger than any one buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Where a streaming reader's bytes come from.
class CByteSource {
 public:
  virtual ~CByteSource() = default;
  // Copies up to `count` bytes that lie `offset` bytes from the start into `out` and
  // returns how many it copied: fewer only at the end. Throws when the bytes cannot be read.
  virtual std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

class CByteReader {
 public:
  // Reads `size` bytes at `data`, which must outlive the reader.
  CByteReader(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size), windowSize_(size) {}
  // Reads the first `size` bytes of `source`, which must outlive the reader, through a
  // window of its own that holds about kWindowBytes, or the largest single Take. Bytes
  // are asked of the source once each, in order, as long as the reader only moves forward.
  CByteReader(CByteSource& source, std::uint64_t size) : source_(&source), size_(size) {}
  CByteReader(const CByteReader&) = delete;
  CByteReader& operator=(const CByteReader&) = delete;

  static constexpr std::size_t kWindowBytes = std::size_t{1} << 20;

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return size_; }
  std::uint64_t Remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ == size_; }

  // Points `out` at the next `count` bytes and moves past them; the bytes stay valid until
  // the next call that moves the reader. False, with nothing moved, when fewer remain (a
  // source that ends early shortens Size() to where it ended).
  bool Take(std::size_t count, const std::uint8_t** out);
  bool Skip(std::uint64_t count);
  // Moves to an absolute position no further than the end.
  bool Seek(std::uint64_t position);

  bool ReadUInt16(std::uint16_t* value);
  bool ReadUInt32(std::uint32_t* value);
  bool ReadInt32(std::int32_t* value);
  // An IEEE 754 double, bit for bit.
  bool ReadDouble(double* value);
  // `count` UTF-16 code units.
  bool ReadUtf16(std::size_t count, std::u16string* text);

 private:
  // Makes the window hold the `count` bytes from the position (a streaming reader only).
  bool Fill(std::size_t count);

  const std::uint8_t* data_ = nullptr;  // the window's first byte
  CByteSource* source_ = nullptr;       // none: all bytes are at data_
  std::uint64_t size_;
  std::uint64_t position_ = 0;
  std::uint64_t windowStart_ = 0;  // where data_ lies in the whole
  std::size_t windowSize_ = 0;
  std::vector<std::uint8_t> window_;  // a streaming reader's window
};
