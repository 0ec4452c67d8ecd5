#pragma once
// The commands of quillery-data, offline access to a data file: each takes the arguments
// that follow its name, writes its result to `out` and its complaints to `err`, and
// returns the program's exit status.

#include <ostream>
#include <string>
#include <vector>

#include "tools/quillery_data/terminal.h"

inline constexpr int kExitSuccess = 0;
// The data file is damaged: what was read before the damage was still reported.
inline constexpr int kExitDamaged = 1;
// Bad arguments, a file that cannot be read or written, or a JSON document that cannot be
// used; nothing was written.
inline constexpr int kExitFailure = 2;
// The data file is encrypted, and the password given, or this Windows account, does not
// open it.
inline constexpr int kExitWrongPassword = 3;

using CommandArgs = std::vector<std::string>;  // UTF-8, as typed

// The whole program: `args` without the program's name, the first being the command or
// --help. A password that no --password-file gives is asked for on `terminal` (by default
// the process's own). Never throws.
int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err,
                    CTerminal& terminal);

// Each command that reads a data file reads an encrypted one too, with the Windows
// account or a password (--password-file FILE, or typed at the terminal).

// dump FILE [--pictures DIR]: the data file as JSON (dump_document.h). Reads the file and
// nothing else: unlike the program's own load, a damaged file leaves no copy behind.
int DumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err, CTerminal& terminal);

// verify FILE: one line on `out`, saying the file reads cleanly (0) or where and why it is
// damaged (1), and how it is encrypted; 2 or 3, with the reason on `err`, when it cannot be
// read at all.
int VerifyCommand(const CommandArgs& args, std::ostream& out, std::ostream& err,
                  CTerminal& terminal);

// build JSON OUT: the data file for a document of the dump's shape, written the way the
// program saves (OUT replaced only once complete). Relative picture files are taken from
// the JSON file's folder. --encrypt account|password encrypts it; without, the plain
// format is written.
int BuildCommand(const CommandArgs& args, std::ostream& out, std::ostream& err,
                 CTerminal& terminal);

// The --help text.
std::string UsageText();
