#pragma once
// CTerminal: where quillery-data asks for a password when no password file is given. The
// commands take it as a parameter so that tests can answer in its place.

#include <optional>
#include <string>
#include <string_view>

class CTerminal {
 public:
  virtual ~CTerminal() = default;
  // True when the program's input is a terminal that a person can type at.
  virtual bool Interactive() const = 0;
  // Shows `prompt` and reads one line without echoing it; none at the end of the input or
  // when the line is not well-formed text.
  virtual std::optional<std::u16string> ReadHidden(std::string_view prompt) = 0;
};

// The terminal of this process: the console on Windows, the controlling terminal elsewhere.
CTerminal& ProcessTerminal();
