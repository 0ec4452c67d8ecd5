// The process's terminal where there is no Windows console: standard input, with the echo
// switched off through termios while the password is typed.

#include "tools/quillery_data/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>

#include <iostream>
#include <string>

#include "tools/quillery_data/unicode_text.h"

namespace {

// The terminal's settings while the echo is off, for an interrupt to put back: the shell
// does not, and would be left without echo.
termios g_savedTerminal{};

extern "C" void RestoreEchoAndStop(int signal) {
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Puts the echo back however the reading ends, Ctrl+C included.
class CEchoOff {
 public:
  CEchoOff() {
    if (tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0) return;
    termios quiet = g_savedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    previousInterrupt_ = std::signal(SIGINT, RestoreEchoAndStop);
    active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
  }
  ~CEchoOff() {
    if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal);
    if (previousInterrupt_ != SIG_ERR) std::signal(SIGINT, previousInterrupt_);
  }
  CEchoOff(const CEchoOff&) = delete;
  CEchoOff& operator=(const CEchoOff&) = delete;

 private:
  bool active_ = false;
  void (*previousInterrupt_)(int) = SIG_ERR;
};

class CPosixTerminal : public CTerminal {
 public:
  bool Interactive() const override { return isatty(STDIN_FILENO) == 1; }

  std::optional<std::u16string> ReadHidden(std::string_view prompt) override {
    std::cerr << prompt << std::flush;
    std::string line;
    bool read = false;
    {
      const CEchoOff echoOff;
      read = static_cast<bool>(std::getline(std::cin, line));
    }
    if (!read) {
      std::cerr << "\n";
      return std::nullopt;
    }
    return WellFormedUtf16FromUtf8(line);
  }
};

}  // namespace

CTerminal& ProcessTerminal() {
  static CPosixTerminal terminal;
  return terminal;
}
