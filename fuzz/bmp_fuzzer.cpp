// Reads arbitrary bytes as a BMP image. A picture that reads must write and read back equal
// (up to 64 MiB of pixels: a few header bytes may rightly make one of 512 MiB, whose round
// trip takes seconds).

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
  if (picture.Stride() * static_cast<std::size_t>(picture.Height()) > (std::size_t{64} << 20)) {
    return 0;
  }
  CByteWriter writer;
  picture.WriteBmp(writer);
  CByteReader again(writer.Bytes().data(), writer.Size());
  if (!(TBitmap::ReadBmp(again) == picture) || !again.AtEnd()) std::abort();
  return 0;
}
