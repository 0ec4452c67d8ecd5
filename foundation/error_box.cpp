#include "foundation/error_box.h"

#include <utility>

#include "platform/windows_api.h"

namespace {
ErrorBoxHandler handler;
}  // namespace

void ShowErrorBox(const std::string& text) {
  if (handler) {
    handler(text);
    return;
  }
  MessageBoxA(nullptr, text.c_str(), "Quillery", MB_OK | MB_ICONERROR);
}

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler next) {
  return std::exchange(handler, std::move(next));
}
