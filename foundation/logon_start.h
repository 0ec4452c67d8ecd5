#pragma once
// The program's start at logon, for the current user: the value "Quillery" under
// HKEY_CURRENT_USER's Software\Microsoft\Windows\CurrentVersion\Run, holding the quoted
// path of the executable that Windows starts. The installer writes the same value for the
// installed copy (installer/quillery.nsi), so the settings dialog's "Start with Windows"
// shows it checked there; a portable copy elsewhere sees a value that starts another
// program, and shows it unchecked until the user checks it there.

#include <string>
#include <string_view>
#include <utility>

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Quillery";

// What the value holds to start `exePath`: the path in double quotes.
std::u16string LogonStartCommand(std::u16string_view exePath);

// True when the command line `command` starts `exePath`: its program (quoted, or the
// unquoted start of the line followed by a space or nothing) is that path, letter case
// and the spelling of separators aside.
bool CommandStartsProgram(std::u16string_view command, std::u16string_view exePath);

// The logon start as seen by the copy at one path.
class CLogonStart {
 public:
  explicit CLogonStart(std::u16string exePath) : exePath_(std::move(exePath)) {}

  // The copy that is running: ExeFileName() of data_paths.h.
  static CLogonStart ForRunningProgram();

  // True when the value starts this copy. False when it is missing, starts another
  // program or cannot be read (which is logged).
  bool IsOn() const;
  // On: the value starts this copy, whatever it started before. Off: a value that starts
  // this copy is removed; one that starts another program stays. False, logged, when the
  // registry refuses.
  bool Set(bool on) const;

  const std::u16string& ExePath() const { return exePath_; }

 private:
  std::u16string exePath_;
};
