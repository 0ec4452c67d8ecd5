#include "foundation/file_io.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

#include "foundation/file_error.h"
#include "platform/handles.h"

namespace {

// Reads and writes go in pieces: the API counts bytes in 32 bits.
constexpr std::size_t kPiece = std::size_t{64} << 20;

std::u16string Wide(const std::filesystem::path& path) {
  return path.u16string();
}

// The pauses between tries of a replace that another program's handle refuses.
constexpr std::chrono::milliseconds kFirstHeldFilePause{10};
constexpr std::chrono::milliseconds kLongestHeldFilePause{250};

// Whether a refused replace may succeed a moment later: the file is in use. A file marked
// read-only is refused with the same error, and for good.
bool MayBeHeld(DWORD error, const std::filesystem::path& path) {
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
  if (error != ERROR_ACCESS_DENIED) return false;
  const DWORD attributes = GetFileAttributesW(AsWide(Wide(path).c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
}

std::string Capitalised(std::string_view what) {
  std::string text(what);
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

[[noreturn]] void Fail(std::string_view action, std::string_view what,
                       const std::filesystem::path& path) {
  throw CFileError("Cannot " + std::string(action) + " " + std::string(what), path);
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const auto piece = static_cast<DWORD>(std::min(bytes.size(), kPiece));
    DWORD written = 0;
    // A short count without an error is a failure too: the disk took less than asked.
    if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written != piece) return false;
    bytes = bytes.subspan(piece);
  }
  return true;
}

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(Wide(path).c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::string_view what) {
  UniqueFile file = AdoptFile(CreateFileW(AsWide(Wide(path).c_str()), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("open", what, path);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) Fail("read", what, path);
  if (static_cast<std::uint64_t>(size.QuadPart) > kLargestReadableFile) {
    throw CFileError(Capitalised(what) + " too large to read", path);
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto piece = static_cast<DWORD>(std::min(bytes.size() - done, kPiece));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, piece, &read, nullptr)) Fail("read", what, path);
    if (read == 0) break;  // shorter than it was a moment ago
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

CFileByteSource::CFileByteSource(const std::filesystem::path& path, std::string_view what)
    : path_(path), what_(what) {
  file_ = AdoptFile(CreateFileW(AsWide(Wide(path).c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) Fail("open", what_, path_);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_.get(), &size) || size.QuadPart < 0) Fail("read", what_, path_);
  size_ = static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t CFileByteSource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
  if (offset != filePosition_) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<std::int64_t>(offset);
    if (!SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN)) Fail("read", what_, path_);
    filePosition_ = offset;
  }
  std::size_t done = 0;
  while (done < count) {
    const auto piece = static_cast<DWORD>(std::min(count - done, kPiece));
    DWORD read = 0;
    if (!ReadFile(file_.get(), out + done, piece, &read, nullptr)) Fail("read", what_, path_);
    if (read == 0) break;  // shorter than it was a moment ago
    done += read;
  }
  filePosition_ += done;
  // Only bytes that follow those already digested count, so a byte read twice counts once.
  if (offset <= digested_ && offset + done > digested_) {
    const auto skip = static_cast<std::size_t>(digested_ - offset);
    digest_->Add(std::span(out + skip, done - skip));
    digested_ = offset + done;
  }
  return done;
}

void CFileByteSource::ReadRest() {
  std::vector<std::uint8_t> buffer(std::size_t{1} << 20);
  while (digested_ < size_) {
    if (ReadAt(digested_, buffer.data(), buffer.size()) == 0) break;
  }
}

CSafeFileWriter::CSafeFileWriter(std::filesystem::path path, std::string_view what)
    : path_(std::move(path)), what_(what) {
  fresh_ = path_;
  fresh_ += ".saving";
  file_ = AdoptFile(CreateFileW(AsWide(Wide(fresh_).c_str()), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) Fail("create", what_, path_);
}

CSafeFileWriter::~CSafeFileWriter() {
  if (committed_) return;
  file_.reset();
  DeleteFileW(AsWide(Wide(fresh_).c_str()));
}

void CSafeFileWriter::Abandon(std::string_view action) {
  file_.reset();
  DeleteFileW(AsWide(Wide(fresh_).c_str()));
  committed_ = true;  // nothing left for the destructor to clean up
  Fail(action, what_, path_);
}

void CSafeFileWriter::Write(std::span<const std::uint8_t> bytes) {
  if (!WriteAll(file_.get(), bytes)) Abandon("write");
  digest_->Add(bytes);
}

bool CSafeFileWriter::SleepThrough(std::chrono::milliseconds pause) {
  std::this_thread::sleep_for(pause);
  return true;
}

void CSafeFileWriter::Commit(const HeldFilePause& pause) {
  if (!FlushFileBuffers(file_.get())) Abandon("write");
  file_.reset();
  std::chrono::milliseconds waited{0};
  std::chrono::milliseconds next = kFirstHeldFilePause;
  while (!MoveFileExW(AsWide(Wide(fresh_).c_str()), AsWide(Wide(path_).c_str()),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    if (!MayBeHeld(GetLastError(), path_) || waited >= kHeldFileWaitMs) Abandon("replace");
    next = std::min(next, kHeldFileWaitMs - waited);
    if (!pause(next)) Abandon("replace");
    waited += next;
    next = std::min(next * 2, kLongestHeldFilePause);
  }
  committed_ = true;
}

void ReplaceFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       std::string_view what) {
  CSafeFileWriter writer(path, what);
  writer.Write(bytes);
  writer.Commit();
}

std::filesystem::path CopyBeside(const std::filesystem::path& path, std::string_view suffix) {
  for (int attempt = 1; attempt <= 100; ++attempt) {
    std::filesystem::path copy = path;
    copy += std::string(suffix);
    if (attempt > 1) copy += "-" + std::to_string(attempt);
    if (CopyFileW(AsWide(Wide(path).c_str()), AsWide(Wide(copy).c_str()), TRUE)) return copy;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

std::string KeptCopySuffix(std::string_view why) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "-%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return "." + std::string(why) + stamp;
}

std::string DamagedCopySuffix() {
  return KeptCopySuffix("damaged");
}
