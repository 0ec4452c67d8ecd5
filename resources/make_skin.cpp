// Writes the skin bitmap (foundation/skin_image.h) as a BMP file, the file that the
// resource script embeds as "MAIN_SKIN". Run by the target update_skin after a change of
// the skin's colours; a test checks that the file in the tree is this program's output.
//   make_skin resources/main_skin.bmp

#include <cstdio>
#include <exception>

#include "foundation/byte_writer.h"
#include "foundation/skin_image.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_skin OUTPUT.bmp\n");
    return 2;
  }
  try {
    CByteWriter writer;
    MakeSkinImage().WriteBmp(writer);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
      std::perror(argv[1]);
      return 1;
    }
    const bool written =
        std::fwrite(writer.Bytes().data(), 1, writer.Size(), file) == writer.Size();
    if (std::fclose(file) != 0 || !written) {
      std::perror(argv[1]);
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_skin: %s\n", error.what());
    return 1;
  }
  return 0;
}
