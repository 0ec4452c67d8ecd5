// Writes the icon resources (resources/icon_art.h) that the resource script embeds:
// the category icons "CATEGORY_ICONS", the extra marks "MORE_ICONS" and the application
// icon "MAIN_ICON". Run by the target update_icons after a change of a drawing; a test
// checks that the files in the tree are this program's output.
//   make_icons category_icons.bmp more_icons.bmp main_icon.ico

#include <cstdio>
#include <exception>
#include <vector>

#include "foundation/byte_writer.h"
#include "resources/icon_art.h"

namespace {

bool WriteFile(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::perror(path);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(path);
    return false;
  }
  return true;
}

std::vector<std::uint8_t> BmpFile(const TBitmap& picture) {
  CByteWriter writer;
  picture.WriteBmp(writer);
  return writer.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_icons CATEGORY_ICONS.bmp MORE_ICONS.bmp MAIN_ICON.ico\n");
    return 2;
  }
  try {
    if (!WriteFile(argv[1], BmpFile(MakeCategoryIconsImage()))) return 1;
    if (!WriteFile(argv[2], BmpFile(MakeMoreIconsImage()))) return 1;
    if (!WriteFile(argv[3], MakeMainIconFile())) return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_icons: %s\n", error.what());
    return 1;
  }
  return 0;
}
