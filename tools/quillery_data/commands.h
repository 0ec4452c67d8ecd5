#pragma once
// The commands of quillery-data, offline access to a data file: each takes the arguments
// that follow its name, writes its result to `out` and its complaints to `err`, and
// returns the program's exit status.

#include <ostream>
#include <string>
#include <vector>

inline constexpr int kExitSuccess = 0;
// The data file is damaged: what was read before the damage was still reported.
inline constexpr int kExitDamaged = 1;
// Bad arguments, a file that cannot be read or written, or a JSON document that cannot be
// used; nothing was written.
inline constexpr int kExitFailure = 2;

using CommandArgs = std::vector<std::string>;  // UTF-8, as typed

// The whole program: `args` without the program's name, the first being the command or
// --help. Never throws.
int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err);

// dump FILE [--pictures DIR]: the data file as JSON (dump_document.h). Reads the file and
// nothing else: unlike the program's own load, a damaged file leaves no copy behind.
int DumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

// verify FILE: one line on `out`, saying the file reads cleanly (0) or where and why it is
// damaged (1); 2, with the reason on `err`, when it cannot be read at all.
int VerifyCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

// build JSON OUT: the data file for a document of the dump's shape, written the way the
// program saves (OUT replaced only once complete). Relative picture files are taken from
// the JSON file's folder.
int BuildCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);

// The --help text.
std::string UsageText();
