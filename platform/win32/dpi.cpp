#include "platform/win32/dpi.h"

#include <string>

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : 96;
}

UniqueFont MakeFont(std::wstring_view face, int designHeight, int dpi, bool bold) {
  LOGFONTW font{};
  font.lfHeight = ScaleToDpi(designHeight, dpi);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring name(face.substr(0, LF_FACESIZE - 1));
  name.copy(font.lfFaceName, name.size());
  return UniqueFont(CreateFontIndirectW(&font));
}
