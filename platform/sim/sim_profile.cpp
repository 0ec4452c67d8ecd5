// The model's private-profile (ini) functions, over real files on disk.
//
// Lines are read as the system reads them: names and values trimmed of white space and ^Z,
// a line starting with '[' and holding a ']' names a section (up to the last ']'), any
// other non-blank line is a key, with a value after its first '=' or none. Lines before
// the first section form a nameless section. Names compare case-insensitively (ASCII
// only, as Wine does); the first matching section and the first matching key in it win.
//
// A write edits the file's text in place: the lines it does not touch keep their bytes,
// as on Windows (Wine instead writes the whole file anew, dropping blank lines and the
// white space around names, values and comments). New lines end in CRLF. Files with a
// UTF-8 or UTF-16 byte-order mark keep their encoding; others are in the ANSI code page.
//
// Not modelled, because the program never asks for them: enumerating sections or keys
// (a NULL section or key in a read), and win.ini (a NULL file name). Those calls abort.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/sim/sim_profile_text.h"
#include "platform/sim/sim_state.h"
#include "platform/sim/sim_windows.h"

namespace {

using namespace sim::detail;
namespace fs = std::filesystem;

constexpr std::u16string_view kLineBreak = u"\r\n";

[[noreturn]] void NotModelled(const char* what) {
  std::fprintf(stderr, "sim_profile: %s is not modelled\n", what);
  std::abort();
}

// One physical line, as byte offsets into the file: its text, then its line break (CRLF,
// LF or a lone CR; none on a last line without one).
struct Line {
  enum class Kind { kBlank, kSection, kKey };
  std::size_t begin = 0;
  std::size_t textEnd = 0;
  std::size_t end = 0;
  Kind kind = Kind::kBlank;
  std::u16string name;
  std::optional<std::u16string> value;  // none for a key line without '='
};

Line Classify(std::u16string_view text) {
  Line line;
  const std::u16string_view trimmed = Trim(text);
  if (trimmed.empty()) return line;
  const std::size_t close = trimmed.rfind(u']');
  if (trimmed.front() == u'[' && close != std::u16string_view::npos) {
    line.kind = Line::Kind::kSection;
    line.name = UpToNul(Trim(trimmed.substr(1, close - 1)));
    return line;
  }
  line.kind = Line::Kind::kKey;
  const std::size_t equals = trimmed.find(u'=');
  line.name = UpToNul(Trim(trimmed.substr(0, equals)));
  if (equals != std::u16string_view::npos) line.value = UpToNul(Trim(trimmed.substr(equals + 1)));
  return line;
}

// A section's lines: its header (none for the nameless section at the top of the file)
// and the lines up to the next header.
struct Section {
  std::optional<std::size_t> header;
  std::size_t first = 0;
  std::size_t end = 0;
};

// A file's bytes and its lines, for finding and splicing.
class CProfileImage {
 public:
  CProfileImage() = default;
  explicit CProfileImage(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

  const std::string& Bytes() const { return bytes_; }

  // The first section of that name, or none.
  std::optional<Section> FindSection(std::u16string_view name) const {
    for (const Section& section : sections_) {
      if (SameName(SectionName(section), name)) return section;
    }
    return std::nullopt;
  }

  // The first key line of that name in the section, or none.
  const Line* FindKey(const Section& section, std::u16string_view name) const {
    for (std::size_t i = section.first; i < section.end; ++i) {
      if (lines_[i].kind == Line::Kind::kKey && SameName(lines_[i].name, name)) return &lines_[i];
    }
    return nullptr;
  }

  bool SetValue(std::u16string_view sectionName, std::u16string_view keyName,
                std::u16string_view value) {
    const std::optional<Section> section = FindSection(sectionName);
    if (!section) {
      EndLastLine();
      Insert(bytes_.size(), u"[" + std::u16string(sectionName) + u"]\r\n" +
                                std::u16string(keyName) + u"=" + std::u16string(value) + u"\r\n");
      return true;
    }
    if (const Line* key = FindKey(*section, keyName)) {
      if (key->value == value) return false;  // the file stays untouched
      std::u16string text = key->name + u"=" + std::u16string(value);
      if (key->end == key->textEnd) text += kLineBreak;
      const std::size_t begin = key->begin;
      bytes_.erase(begin, key->textEnd - begin);
      Insert(begin, text);
      return true;
    }
    // After the section's last non-blank line, so blank lines before the next header stay
    // where they are.
    std::optional<std::size_t> last = section->header;
    for (std::size_t i = section->first; i < section->end; ++i) {
      if (lines_[i].kind != Line::Kind::kBlank) last = i;
    }
    std::size_t at = bodyBegin_;
    if (last) {
      at = lines_[*last].end;
      if (lines_[*last].end == lines_[*last].textEnd) {
        Insert(at, kLineBreak);
        at = bytes_.size();
      }
    }
    Insert(at, std::u16string(keyName) + u"=" + std::u16string(value) + u"\r\n");
    return true;
  }

  // Removes the first line of that key in the named sections. Unlike a look-up, which
  // stops at the first section of the name, the search goes on through later sections of
  // the same name; the names are compared as given, untrimmed.
  bool DeleteKey(std::u16string_view sectionName, std::u16string_view keyName) {
    for (const Section& section : sections_) {
      if (!section.header || !SameName(SectionName(section), sectionName)) continue;
      for (std::size_t i = section.first; i < section.end; ++i) {
        if (lines_[i].kind == Line::Kind::kKey && SameName(lines_[i].name, keyName)) {
          bytes_.erase(lines_[i].begin, lines_[i].end - lines_[i].begin);
          return true;
        }
      }
    }
    return false;
  }

  // Removes the first section of that name with all its lines.
  bool DeleteSection(std::u16string_view sectionName) {
    for (const Section& section : sections_) {
      if (!section.header || !SameName(SectionName(section), sectionName)) continue;
      const std::size_t begin = lines_[*section.header].begin;
      const std::size_t end =
          section.end > section.first ? lines_[section.end - 1].end : lines_[*section.header].end;
      bytes_.erase(begin, end - begin);
      return true;
    }
    return false;
  }

 private:
  std::u16string_view SectionName(const Section& section) const {
    return section.header ? std::u16string_view(lines_[*section.header].name)
                          : std::u16string_view();
  }

  void Parse() {
    const std::string_view bytes(bytes_);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
      encoding_ = Encoding::kUtf8;
      bodyBegin_ = 3;
    } else if (bytes.starts_with("\xFF\xFE")) {
      encoding_ = Encoding::kUtf16Le;
      bodyBegin_ = 2;
    } else if (bytes.starts_with("\xFE\xFF")) {
      encoding_ = Encoding::kUtf16Be;
      bodyBegin_ = 2;
    }
    const std::size_t unit = IsWide() ? 2 : 1;
    sections_.push_back(Section{std::nullopt, 0, 0});
    std::size_t pos = bodyBegin_;
    while (pos + unit <= bytes.size()) {
      std::size_t textEnd = pos;
      while (textEnd + unit <= bytes.size() && !IsBreak(textEnd)) textEnd += unit;
      std::size_t end = textEnd;
      if (end + unit <= bytes.size()) {
        const bool carriageReturn = UnitAt(end) == u'\r';
        end += unit;
        if (carriageReturn && end + unit <= bytes.size() && UnitAt(end) == u'\n') end += unit;
      }
      Line line = Classify(Decode(bytes.substr(pos, textEnd - pos), encoding_));
      line.begin = pos;
      line.textEnd = textEnd;
      line.end = end;
      if (line.kind == Line::Kind::kSection) {
        sections_.back().end = lines_.size();
        sections_.push_back(Section{lines_.size(), lines_.size() + 1, 0});
      }
      lines_.push_back(std::move(line));
      pos = end;
    }
    sections_.back().end = lines_.size();
  }

  bool IsWide() const { return encoding_ == Encoding::kUtf16Le || encoding_ == Encoding::kUtf16Be; }

  char16_t UnitAt(std::size_t pos) const {
    const auto first = static_cast<unsigned char>(bytes_[pos]);
    if (!IsWide()) return first;
    const auto second = static_cast<unsigned char>(bytes_[pos + 1]);
    return static_cast<char16_t>(encoding_ == Encoding::kUtf16Le ? first | second << 8
                                                                 : second | first << 8);
  }

  bool IsBreak(std::size_t pos) const {
    const char16_t c = UnitAt(pos);
    return c == u'\r' || c == u'\n';
  }

  // Gives a last line without a line break one, before anything is appended after it.
  void EndLastLine() {
    if (!lines_.empty() && lines_.back().end == lines_.back().textEnd) {
      Insert(bytes_.size(), kLineBreak);
    }
  }

  void Insert(std::size_t at, std::u16string_view text) {
    bytes_.insert(at, Encode(text, encoding_));
  }

  std::string bytes_;
  Encoding encoding_ = Encoding::kAnsi;
  std::size_t bodyBegin_ = 0;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
};

fs::path PathOf(LPCWSTR fileName) {
  // Either separator, as on Windows.
  return fs::path(sim::detail::HostPath(View(fileName)));
}

// Loads the file as the system opens it: a missing file is an empty profile (and reported
// as ERROR_FILE_NOT_FOUND); a folder, a missing folder or a file that cannot be read fails
// with the system's error. A write also fails on a read-only file.
DWORD Load(const fs::path& path, bool forWriting, CProfileImage& image) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) return ERROR_ACCESS_DENIED;
  if (!fs::exists(status)) {
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    return fs::is_directory(parent, error) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  }
  if (forWriting && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return ERROR_ACCESS_DENIED;
  }
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad() || !file.is_open()) return ERROR_ACCESS_DENIED;
  image = CProfileImage(std::move(bytes));
  return ERROR_SUCCESS;
}

bool Save(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

// lstrcpyn: at most size - 1 units and a NUL.
DWORD CopyTruncated(LPWSTR buffer, DWORD size, std::u16string_view text) {
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  text.copy(reinterpret_cast<char16_t*>(buffer), count);
  buffer[count] = 0;
  return static_cast<DWORD>(count);
}

// A value in matching quotes loses them. As in Wine, the closing quote is cut from what was
// copied whenever the buffer holds at least the text after the opening quote, so a quoted
// value one unit too long for the buffer comes back two units short, not one.
DWORD CopyValue(LPWSTR buffer, DWORD size, std::u16string_view text) {
  const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
                      text.back() == text.front();
  if (quoted) text.remove_prefix(1);
  DWORD count = CopyTruncated(buffer, size, text);
  if (quoted && size >= text.size() && count > 0) buffer[--count] = 0;
  return count;
}

// The default loses trailing spaces (not tabs), though never its first character.
std::u16string_view DefaultOf(LPCWSTR defaultValue) {
  std::u16string_view text = View(defaultValue);
  while (text.size() > 1 && text.back() == u' ') text.remove_suffix(1);
  return text;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer,
                               DWORD bufferSize, LPCWSTR fileName) {
  if (!section || !key) NotModelled("enumerating sections or keys");
  if (!fileName) NotModelled("win.ini");
  if (!buffer || bufferSize == 0) return 0;
  const std::u16string_view fallback = DefaultOf(defaultValue);
  CProfileImage image;
  const DWORD error = Load(PathOf(fileName), false, image);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    // Only a file that could not be opened at all skips the value rules for the default.
    if (error != ERROR_FILE_NOT_FOUND) return CopyTruncated(buffer, bufferSize, fallback);
  }
  const std::optional<Section> found = image.FindSection(Trim(View(section)));
  const Line* line = found ? image.FindKey(*found, Trim(View(key))) : nullptr;
  return CopyValue(buffer, bufferSize,
                   line && line->value ? std::u16string_view(*line->value) : fallback);
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
  // The documented "flush the cache" call: the model caches nothing, and the system
  // answers FALSE too.
  if (!section && !key && !value) return FALSE;
  if (!fileName) NotModelled("win.ini");
  if (sim::detail::ShouldFailFileCall("WritePrivateProfileStringW")) return FALSE;
  const fs::path path = PathOf(fileName);
  CProfileImage image;
  const DWORD error = Load(path, true, image);
  if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
    SetLastError(error);
    return FALSE;
  }
  if (!section) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  bool changed = false;
  if (!key) {
    changed = image.DeleteSection(View(section));
  } else if (!value) {
    changed = image.DeleteKey(View(section), View(key));
  } else {
    changed = image.SetValue(Trim(View(section)), Trim(View(key)), TrimLeft(View(value)));
  }
  // Nothing changed, nothing written: deleting from a missing file does not create it.
  if (!changed) return TRUE;
  if (!Save(path, image.Bytes())) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return TRUE;
}
