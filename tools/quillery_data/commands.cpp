#include "tools/quillery_data/commands.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "foundation/crypto/crypto_error.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "store/database.h"
#include "store/encrypted/encrypted_header.h"
#include "tools/quillery_data/build_document.h"
#include "tools/quillery_data/dump_document.h"
#include "tools/quillery_data/file_key.h"
#include "tools/quillery_data/password_source.h"
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
  std::map<std::string, std::string, std::less<>> options;

  std::optional<std::string> Option(std::string_view name) const {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
  }
};

// Options that take a value, and what the value is called in a complaint.
struct CValueOption {
  std::string_view name;
  std::string_view value;
};

// The arguments of a command that takes exactly the positional arguments `names` and,
// anywhere among them, the `options`, each at most once and with a value.
CParsedArgs ParseArgs(const CommandArgs& args, std::string_view command,
                      const std::vector<std::string_view>& names,
                      const std::vector<CValueOption>& options, std::ostream& err) {
  CParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const CValueOption& known) { return known.name == arg; });
    if (option != options.end()) {
      if (i + 1 == args.size()) UsageFailure(err, arg + " needs " + std::string(option->value));
      if (!parsed.options.emplace(arg, args[i + 1]).second) UsageFailure(err, arg + " given twice");
      ++i;
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

constexpr CValueOption kPasswordFileOption{"--password-file", "a file"};

CPasswordSource PasswordsOf(const CParsedArgs& parsed, CTerminal& terminal) {
  std::optional<std::filesystem::path> file;
  if (const auto name = parsed.Option(kPasswordFileOption.name)) file = PathFromUtf8(*name);
  return CPasswordSource(std::move(file), terminal);
}

// Reports a damaged file the way the program's own error messages do.
std::string DamageLine(const std::filesystem::path& path, const CLoadReport& report) {
  return CFileError("Data file damaged", path, report.damageOffset, report.damageReason).what();
}

// LoadFromFile would keep a copy of a damaged file beside it. An encrypted file is opened
// with its key; one whose header is damaged is read without, for the store to report it.
void LoadReadOnly(const std::filesystem::path& path, CDataBase& store,
                  const CPasswordSource& passwords) {
  if (!FileExists(path)) throw CFileError("Cannot open data file", path);
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(path);
  if (!header || !header->damage.empty() || header->file != EEncryptedFile::kData) {
    store.ReadDataFile(path);
    return;
  }
  const CStoreKey key = KeyToOpen(*header, path, passwords);
  store.ReadDataFile(path, &key);
}

// "1 clip, 3 categories".
std::string Contents(const CDataBase& store) {
  const std::size_t clips = store.Items().size();
  const std::size_t categories = store.Categories().size();
  return std::to_string(clips) + (clips == 1 ? " clip, " : " clips, ") +
         std::to_string(categories) + (categories == 1 ? " category" : " categories");
}

// The mode of build's --encrypt; kOff without it. A password file is only for a password.
EEncryption EncryptionOf(const CParsedArgs& parsed, std::ostream& err) {
  const std::optional<std::string> name = parsed.Option("--encrypt");
  EEncryption mode = EEncryption::kOff;
  if (name) {
    mode = EncryptionFromName(*name);
    if (mode == EEncryption::kOff) {
      UsageFailure(err, "build: --encrypt takes 'account' or 'password', not '" + *name + "'");
    }
  }
  if (parsed.Option(kPasswordFileOption.name) && mode != EEncryption::kPassword) {
    UsageFailure(err, "build: --password-file is only for --encrypt password");
  }
  return mode;
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
  } catch (const CKeyError& error) {
    Failure(err, error.what());
    return error.Status();
  } catch (const CCryptoError& error) {
    return Failure(err, std::string("the system's cryptography failed: ") + error.what());
  } catch (const std::exception& error) {
    return Failure(err, std::string("unexpected failure: ") + error.what());
  }
}

}  // namespace

std::string UsageText() {
  return R"(Usage: quillery-data COMMAND ARGUMENTS
Reads and writes Quillery data files (data.dat) without the program.

Commands:
  dump FILE [--pictures DIR] [--password-file PWFILE]
      Print the data file as JSON. With --pictures, also write each picture as
      DIR/<position>.png, the PNG image its record holds, or DIR/<position>.bmp for a
      picture kept as a BMP image (DIR is created when missing), and name it in the
      item's "file". Reads the file and changes nothing. Items are of kind "text"
      (with "formats", the formatted forms of the text, each a "name" and its "data"
      in base64), "picture" ("stored": "png" or "bmp", the record that keeps it;
      "alpha": true when its fourth bytes are opacity) or "files" ("paths" and the
      "dropEffect" given with them, 0 for none).
  verify FILE [--password-file PWFILE]
      Say whether the whole data file reads cleanly, or where and why it is damaged,
      and how it is encrypted. In an encrypted file, a damaged chunk is named by its
      index and its offset in the file.
  build JSON OUT [--encrypt account|password] [--password-file PWFILE]
      Write the data file OUT from a JSON document of the dump's shape, replacing OUT.
      Picture files named by a relative path are taken from the JSON file's folder.
      A PNG picture file is kept in a PNG record as it is, a BMP one in a BMP record,
      unless the item's "stored" says "png" or "bmp". Without --encrypt, OUT is a plain data file. --encrypt account encrypts it for
      the current Windows account (on Windows only); --encrypt password with a
      password, from PWFILE or typed twice at the terminal.
  --help
      Show this text.

Encrypted data files:
  dump and verify read a file encrypted for a Windows account when run on Windows as
  that user, and one encrypted with a password given by --password-file PWFILE (the
  first line of PWFILE, without its line end, in UTF-8) or, without that option,
  typed at the terminal when asked ("Password: "; it is not shown).

Exit status:
  0  success
  1  the data file is damaged (dump still prints everything read before the damage)
  2  bad arguments, a file that cannot be read or written, a JSON document that
     cannot be used, or no way to get the file's key (no password given, no Windows
     account here); nothing is written
  3  the data file is encrypted, and the password given (or this Windows account)
     does not open it
)";
}

int DumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err,
                CTerminal& terminal) {
  return Guarded(err, [&] {
    const CParsedArgs parsed =
        ParseArgs(args, "dump", {"FILE"}, {{"--pictures", "a folder"}, kPasswordFileOption}, err);
    const std::filesystem::path path = PathFromUtf8(parsed.positional[0]);
    std::optional<std::filesystem::path> pictures;
    if (const auto folder = parsed.Option("--pictures")) pictures = PathFromUtf8(*folder);
    CDataBase store;
    LoadReadOnly(path, store, PasswordsOf(parsed, terminal));
    out << DumpDocument(store, store.LastLoad(), pictures);
    if (!out.flush()) return Failure(err, "cannot write the output");
    if (store.LastLoad().damaged) {
      err << kProgram << ": " << DamageLine(path, store.LastLoad()) << "\n";
      return kExitDamaged;
    }
    return kExitSuccess;
  });
}

int VerifyCommand(const CommandArgs& args, std::ostream& out, std::ostream& err,
                  CTerminal& terminal) {
  return Guarded(err, [&] {
    const CParsedArgs parsed = ParseArgs(args, "verify", {"FILE"}, {kPasswordFileOption}, err);
    const std::filesystem::path path = PathFromUtf8(parsed.positional[0]);
    CDataBase store;
    LoadReadOnly(path, store, PasswordsOf(parsed, terminal));
    const CLoadReport& report = store.LastLoad();
    if (report.damaged) {
      out << DamageLine(path, report);
      if (report.encryption != EEncryption::kOff) {
        out << " (" << EncryptionDescription(report.encryption) << ")";
      }
      out << "\n";
      return kExitDamaged;
    }
    out << Utf8FromPath(path) << ": reads cleanly, "
        << (report.format == DataFormat::kLegacy ? "legacy" : "current") << " format, ";
    if (report.encryption != EEncryption::kOff) {
      out << EncryptionDescription(report.encryption) << ", ";
    }
    out << Contents(store);
    if (report.skippedRecords > 0) {
      out << ", " << report.skippedRecords << " records of unknown kinds skipped";
    }
    out << "\n";
    return kExitSuccess;
  });
}

int BuildCommand(const CommandArgs& args, std::ostream& out, std::ostream& err,
                 CTerminal& terminal) {
  return Guarded(err, [&] {
    const CParsedArgs parsed = ParseArgs(args, "build", {"JSON", "OUT"},
                                         {{"--encrypt", "a mode"}, kPasswordFileOption}, err);
    const std::filesystem::path jsonPath = PathFromUtf8(parsed.positional[0]);
    const std::filesystem::path outPath = PathFromUtf8(parsed.positional[1]);
    const EEncryption encryption = EncryptionOf(parsed, err);
    const std::vector<std::uint8_t> bytes = ReadWholeFile(jsonPath, "JSON file");
    CDataBase store;
    try {
      BuildStore(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                 jsonPath.parent_path(), store);
    } catch (const CDocumentError& error) {
      return Failure(err, Utf8FromPath(jsonPath) + ": " + error.what());
    }
    if (encryption == EEncryption::kOff) {
      store.SaveToFile(outPath);
      out << Utf8FromPath(outPath) << ": " << Contents(store) << "\n";
      return kExitSuccess;
    }
    const CStoreKey key = NewKeyToWrite(encryption, PasswordsOf(parsed, terminal));
    store.SaveToFile(outPath, &key);
    out << Utf8FromPath(outPath) << ": " << Contents(store) << ", "
        << EncryptionDescription(encryption) << "\n";
    return kExitSuccess;
  });
}

int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  return RunQuilleryData(args, out, err, ProcessTerminal());
}

int RunQuilleryData(const CommandArgs& args, std::ostream& out, std::ostream& err,
                    CTerminal& terminal) {
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
  if (command == "dump") return DumpCommand(rest, out, err, terminal);
  if (command == "verify") return VerifyCommand(rest, out, err, terminal);
  if (command == "build") return BuildCommand(rest, out, err, terminal);
  return Guarded(err, [&]() -> int { UsageFailure(err, "unknown command '" + command + "'"); });
}
