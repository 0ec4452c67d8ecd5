#include "tools/quillery_data/commands.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>

#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "store/database.h"
#include "tools/quillery_data/build_document.h"
#include "tools/quillery_data/dump_document.h"
#include "tools/quillery_data/unicode_text.h"

namespace {

constexpr std::string_view kProgram = "quillery-data";

// Arguments that do not fit the command: the message has been written already.
struct CUsageError {};

[[noreturn]] void UsageFailure(std::ostream& err, const std::string& message) {
  err << kProgram << ": " << message << "\n"
      << "Try '" << kProgram << " --help' for more information.\n";
  throw CUsageError{};
}

int Failure(std::ostream& err, const std::string& message) {
  err << kProgram << ": " << message << "\n";
  return kExitFailure;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

struct CParsedArgs {
  std::vector<std::string> positional;
  std::optional<std::string> option;
};

// The arguments of a command that takes exactly the positional arguments `names` and,
// anywhere among them, the option `option` with a value (none when empty).

CParsedArgs ParseArgs(const CommandArgs& args, std::string_view command,
                      const std::vector<std::string_view>& names, std::string_view option,
                      std::ostream& err) {
  CParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!option.empty() && arg == option) {
      if (i + 1 == args.size()) UsageFailure(err, std::string(option) + " needs a folder");
      if (parsed.option) UsageFailure(err, std::string(option) + " given twice");
      parsed.option = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      UsageFailure(err, std::string(command) + ": unknown option '" + arg + "'");
    } else if (parsed.positional.size() == names.size()) {
      UsageFailure(err, std::string(command) + ": unexpected argument '" + arg + "'");
    } else {
      parsed.positional.push_back(arg);
    }
  }
  if (parsed.positional.size() < names.size()) {
    UsageFailure(
        err, std::string(command) + ": missing " + std::string(names[parsed.positional.size()]));
  }
  return parsed;
}

// Reports a damaged file the way the program's own error messages do.
std::string DamageLine(const std::filesystem::path& path, const CLoadReport& report) {
  return CFileError("Data file damaged", path, report.damageOffset, report.damageReason).what();
}

// LoadFromFile would keep a copy of a damaged file beside it.
void LoadReadOnly(const std::filesystem::path& path, CDataBase& store) {
  if (!FileExists(path)) throw CFileError("Cannot open data file", path);
  store.ReadDataFile(path);
}

// "1 clip, 3 categories".
std::string Contents(const CDataBase& store) {
  const std::size_t clips = store.Items().size();
  const std::size_t categories = store.Categories().size();
  return std::to_string(clips) + (clips == 1 ? " clip, " : " clips, ") +
         std::to_string(categories) + (categories == 1 ? " category" : " categories");
}

// Runs `command`, turning the failures that every command shares into exit statuses.
template <typename Command>
int Guarded(std::ostream& err, Command command) {
  try {
    return command();
  } catch (const CUsageError&) {
    return kExitFailure;
  } catch (const CFileError& error) {
    return Failure(err, error.what());
  } catch (const CDocumentError& error) {
    return Failure(err, error.what());
  } catch (const std::exception& error) {
    return Failure(err, std::string("unexpected failure: ") + error.what());
  }
}

}  // namespace

std::string UsageText() {
  return R"(Usage: quillery-data COMMAND ARGUMENTS
Reads and writes Quillery data files (data.dat) without the program.

Commands:
  dump FILE [--pictures DIR]
      Print the data file as JSON. With --pictures, also write each picture as
      DIR/<position>.bmp (DIR is created when missing) and name it in the item's "file".
      Reads the file and changes nothing. Items are of kind "text" (with "formats",
      the formatted forms of the text, each a "name" and its "data" in base64),
      "picture" ("alpha": true when its fourth bytes are opacity) or "files" ("paths"
      and the "dropEffect" given with them, 0 for none).
  verify FILE
      Say whether the whole data file reads cleanly, or where and why it is damaged.
  build JSON OUT
      Write the data file OUT from a JSON document of the dump's shape, replacing OUT.
      Picture files named by a relative path are taken from the JSON file's folder.
  --help
      Show this text.

Exit status:
  0  success
  1  the data file is damaged (dump still prints everything read before the damage)
  2  bad arguments, a file that cannot be read or written, or a JSON document that
     cannot be used; nothing is written
)";
}

int DumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  return Guarded(err, [&] {
    const CParsedArgs parsed = ParseArgs(args, "dump", {"FILE"}, "--pictures", err);
    const std::filesystem::path path = PathFromUtf8(parsed.positional[0]);
    std::optional<std::filesystem::path> pictures;
    if (parsed.option) pictures = PathFromUtf8(*parsed.option);
    CDataBase store;
    LoadReadOnly(path, store);
    out << DumpDocument(store, store.LastLoad(), pictures);
    if (!out.flush()) return Failure(err, "cannot write the output");
    if (store.LastLoad().damaged) {
      err << kProgram << ": " << DamageLine(path, store.LastLoad()) << "\n";
      return kExitDamaged;
    }
    return kExitSuccess;
  });
}

int VerifyCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  return Guarded(err, [&] {
    const CParsedArgs parsed = ParseArgs(args, "verify", {"FILE"}, "", err);
    const std::filesystem::path path = PathFromUtf8(parsed.positional[0]);
    CDataBase store;
    LoadReadOnly(path, store);
    const CLoadReport& report = store.LastLoad();
    if (report.damaged) {
      out << DamageLine(path, report) << "\n";
      return kExitDamaged;
    }
    out << Utf8FromPath(path) << ": reads cleanly, "
        << (report.format == DataFormat::kLegacy ? "legacy" : "current") << " format, "
        << Contents(store);
    if (report.skippedRecords > 0) {
      out << ", " << report.skippedRecords << " records of unknown kinds skipped";
    }
    out << "\n";
    return kExitSuccess;
  });
}

int BuildCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  return Guarded(err, [&] {
    const CParsedArgs parsed = ParseArgs(args, "build", {"JSON", "OUT"}, "", err);
    const std::filesystem::path jsonPath = PathFromUtf8(parsed.positional[0]);
    const std::filesystem::path outPath = PathFromUtf8(parsed.positional[1]);
    const std::vector<std::uint8_t> bytes = ReadWholeFile(jsonPath, "JSON file");
    CDataBase store;
    try {
      BuildStore(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                 jsonPath.parent_path(), store);
    } catch (const CDocumentError& error) {
      return Failure(err, Utf8FromPath(jsonPath) + ": " + error.what());
    }
    store.SaveToFile(outPath);
    out << Utf8FromPath(outPath) << ": " << Contents(store) << "\n";
    return kExitSuccess;
  });
}

int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  for (const std::string& arg : args) {
    if (IsHelp(arg)) {
      out << UsageText();
      return kExitSuccess;
    }
  }
  if (args.empty()) {
    return Guarded(err, [&]() -> int { UsageFailure(err, "no command given"); });
  }
  const std::string& command = args[0];
  const CommandArgs rest(args.begin() + 1, args.end());
  if (command == "dump") return DumpCommand(rest, out, err);
  if (command == "verify") return VerifyCommand(rest, out, err);
  if (command == "build") return BuildCommand(rest, out, err);
  return Guarded(err, [&]() -> int { UsageFailure(err, "unknown command '" + command + "'"); });
}
