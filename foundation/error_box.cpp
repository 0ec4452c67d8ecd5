#include "foundation/error_box.h"

#include <utility>

#include "foundation/utf8_text.h"
#include "platform/windows_api.h"

namespace {
ErrorBoxHandler errorBoxHandler;
}  // namespace

void ShowErrorBox(const std::string& text) {
  if (errorBoxHandler) {
    errorBoxHandler(text);
    return;
  }
  // The text is UTF-8 and may name a path in any script.
  const std::u16string wide = Utf16FromUtf8(text);
  MessageBoxW(nullptr, AsWide(wide.c_str()), AsWide(u"Quillery"), MB_OK | MB_ICONERROR);
}

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler next) {
  return std::exchange(errorBoxHandler, std::move(next));
}
