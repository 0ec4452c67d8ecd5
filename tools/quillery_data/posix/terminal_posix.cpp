// The process's terminal where there is no Windows console: standard input, with the echo
// switched off through termios while the password is typed.

#include "tools/quillery_data/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "tools/quillery_data/unicode_text.h"

namespace {

// Puts the echo back however the reading ends.
class CEchoOff {
 public:
  CEchoOff() {
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
  }
  ~CEchoOff() {
    if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  }
  CEchoOff(const CEchoOff&) = delete;
  CEchoOff& operator=(const CEchoOff&) = delete;

 private:
  termios saved_{};
  bool active_ = false;
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
