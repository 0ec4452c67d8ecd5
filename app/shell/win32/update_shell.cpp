// The update check's and the about box's way into the web browser: the shell, or the
// opener a test put in its place.

#include <utility>

#include "app/shell/update_check.h"

// After windows.h, which it needs.
#include <shellapi.h>

namespace {
UrlOpener testOpener;
}  // namespace

void OpenUrl(const char* verb, const std::string& address) {
  if (testOpener) {
    testOpener(verb, address);
    return;
  }
  ShellExecuteA(nullptr, verb, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

UrlOpener SetUrlOpener(UrlOpener opener) {
  return std::exchange(testOpener, std::move(opener));
}

void CheckForUpdates(HWND owner, Settings::CSettingsStorage& settings) {
  RunUpdateCheck(owner, settings, &OpenUrl);
}
