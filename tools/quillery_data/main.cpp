// quillery-data: offline access to a data file. See commands.h and `quillery-data --help`.

#include <iostream>
#include <string>

#include "tools/quillery_data/commands.h"
#include "tools/quillery_data/unicode_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

// The wide entry point: narrow arguments would arrive in the ANSI code page and lose every
// character outside it.
int wmain(int argc, wchar_t** argv) {
  // The same bytes as on other systems: JSON with "\n" line ends, never "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  CommandArgs args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg(argv[i]);
    args.push_back(Utf8FromUtf16(std::u16string(arg.begin(), arg.end())));
  }
  return RunQuilleryData(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  const CommandArgs args(argv + 1, argv + argc);
  return RunQuilleryData(args, std::cout, std::cerr);
}
#endif
