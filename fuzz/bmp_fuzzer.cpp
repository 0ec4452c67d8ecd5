// Reads arbitrary bytes as a BMP image. A picture that reads must write and read back equal.

#include <cstdint>
#include <cstdlib>

#include "foundation/bitmap.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/picture_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CByteReader reader(data, size);
  TBitmap picture;
  try {
    picture = TBitmap::ReadBmp(reader);
  } catch (const CPictureError&) {
    return 0;
  }
  CByteWriter writer;
  picture.WriteBmp(writer);
  CByteReader again(writer.Bytes().data(), writer.Size());
  if (!(TBitmap::ReadBmp(again) == picture) || !again.AtEnd()) std::abort();
  return 0;
}
