#include "tests/e2e/window_shot.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "foundation/bitmap.h"
#include "platform/win32/gdi.h"

void KeepWindowShot(HWND window, const std::string& name) {
  const char* folder = std::getenv("QUILLERY_E2E_SHOTS");
  if (folder == nullptr || *folder == '\0' || window == nullptr) return;
  const char* prefix = std::getenv("QUILLERY_E2E_SHOT_PREFIX");
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const WindowDc screen(nullptr);
  UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
  UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
  {
    SelectGuard selected(copy.get(), picture.get());
    BitBlt(copy.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
  }
  TBitmap bitmap;
  if (!bitmap.AssignFromHandle(picture.get())) return;
  const std::vector<std::uint8_t> png = bitmap.ToPng();
  if (png.empty()) return;
  const std::string file =
      (prefix != nullptr && *prefix != '\0' ? std::string(prefix) + "-" : "") + name + ".png";
  std::ofstream out(std::filesystem::path(folder) / file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}
