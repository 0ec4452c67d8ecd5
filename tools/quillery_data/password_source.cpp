#include "tools/quillery_data/password_source.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "tools/quillery_data/commands.h"
#include "tools/quillery_data/unicode_text.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::u16string ReadPasswordFile(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path, "password file");
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Editors on Windows often begin a UTF-8 file with a byte order mark; nobody types one.
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  text = text.substr(0, text.find('\n'));
  if (text.ends_with('\r')) text.remove_suffix(1);
  std::optional<std::u16string> password = WellFormedUtf16FromUtf8(text);
  if (!password) throw CFileError("Password file is not UTF-8 text", path);
  return std::move(*password);
}

std::u16string CPasswordSource::ToOpen() const {
  if (file_) return ReadPasswordFile(*file_);
  return Typed("Password: ");
}

std::u16string CPasswordSource::ToEncrypt() const {
  std::u16string password;
  if (file_) {
    password = ReadPasswordFile(*file_);
  } else {
    password = Typed("Password: ");
    if (Typed("Password again: ") != password) {
      throw CKeyError("the two passwords differ; nothing was written", kExitFailure);
    }
  }
  if (password.empty()) throw CKeyError("the password is empty; nothing was written", kExitFailure);
  return password;
}

std::u16string CPasswordSource::Typed(std::string_view prompt) const {
  if (!terminal_.Interactive()) {
    throw CKeyError(
        "a password is needed: give it with --password-file FILE, or run at a terminal to "
        "type it",
        kExitFailure);
  }
  std::optional<std::u16string> password = terminal_.ReadHidden(prompt);
  if (!password) throw CKeyError("no password was typed", kExitFailure);
  return std::move(*password);
}
