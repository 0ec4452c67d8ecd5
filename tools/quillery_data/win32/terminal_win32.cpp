// The process's terminal on Windows: the console, read as UTF-16 with its echo switched
// off while the password is typed, so that every character of the password arrives
// whatever the console's code page.

#include "tools/quillery_data/terminal.h"

#include <iostream>
#include <string>

#include "platform/windows_api.h"

namespace {

// The console's mode while the echo is off, for Ctrl+C to put back: the console keeps a
// mode after the program ends, and cmd.exe would be left without echo.
HANDLE g_consoleInput = nullptr;
DWORD g_savedConsoleMode = 0;

BOOL WINAPI RestoreConsoleEcho(DWORD) {
  SetConsoleMode(g_consoleInput, g_savedConsoleMode);
  return FALSE;  // the default handling ends the program
}

// Puts the console's mode back however the reading ends, Ctrl+C included.
class CConsoleEchoOff {
 public:
  explicit CConsoleEchoOff(HANDLE input) {
    if (!GetConsoleMode(input, &g_savedConsoleMode)) return;
    g_consoleInput = input;
    SetConsoleCtrlHandler(RestoreConsoleEcho, TRUE);
    active_ = SetConsoleMode(input, (g_savedConsoleMode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) |
                                        ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT) != 0;
  }
  ~CConsoleEchoOff() {
    if (active_) SetConsoleMode(g_consoleInput, g_savedConsoleMode);
    if (g_consoleInput != nullptr) SetConsoleCtrlHandler(RestoreConsoleEcho, FALSE);
  }
  CConsoleEchoOff(const CConsoleEchoOff&) = delete;
  CConsoleEchoOff& operator=(const CConsoleEchoOff&) = delete;

 private:
  bool active_ = false;
};

class CConsoleTerminal : public CTerminal {
 public:
  bool Interactive() const override {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
  }

  std::optional<std::u16string> ReadHidden(std::string_view prompt) override {
    std::cerr << prompt << std::flush;
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::u16string line;
    bool ended = false;
    {
      const CConsoleEchoOff echoOff(input);
      for (;;) {
        wchar_t unit = 0;
        DWORD read = 0;
        if (!ReadConsoleW(input, &unit, 1, &read, nullptr) || read == 0) break;
        if (unit == L'\r') continue;
        if (unit == L'\n') {
          ended = true;
          break;
        }
        line.push_back(static_cast<char16_t>(unit));
      }
    }
    std::cerr << "\n";
    if (!ended) return std::nullopt;
    return line;
  }
};

}  // namespace

CTerminal& ProcessTerminal() {
  static CConsoleTerminal terminal;
  return terminal;
}
