// Files over real files on disk, with POSIX calls, so that the program's own reading,
// writing, flushing and replacing are exercised for real; plus a disk that can fill up
// and calls that can be made to fail, which a real disk cannot be asked to do.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::State;

// Either separator, as on Windows, so that the program's "\data.dat" joins work natively.
std::filesystem::path PathOf(LPCWSTR name) {
  return sim::detail::HostPath(std::u16string(name));
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOSPC:
      return ERROR_DISK_FULL;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

BOOL FailWithErrno() {
  SetLastError(ErrorFromErrno(errno));
  return FALSE;
}

bool ShouldFail(const char* function) {
  return sim::detail::ShouldFailFileCall(function);
}

// The program opens, writes and replaces files from threads of its own (the saves, the
// journal) while the window's thread reads: the table of open files is shared.
std::mutex& FilesLock() {
  static std::mutex lock;
  return lock;
}

int DescriptorOf(HANDLE file) {
  std::lock_guard lock(FilesLock());
  auto found = State().files.find(reinterpret_cast<std::uintptr_t>(file));
  return found == State().files.end() ? -1 : found->second.descriptor;
}

// True when another handle has `path` open without letting it be deleted or renamed, as a
// virus scanner or a backup may hold a file: Windows then refuses to replace it.
bool HeldAgainstReplacing(const std::filesystem::path& path) {
  std::lock_guard lock(FilesLock());
  for (const auto& [handle, open] : State().files) {
    std::error_code error;
    if (!(open.share & FILE_SHARE_DELETE) && std::filesystem::equivalent(open.path, path, error)) {
      return true;
    }
  }
  return false;
}

// Makes a rename or a removal durable: the folder's entry is what changed.
void SyncFolderOf(const std::filesystem::path& path) {
  if (State().skipDiskSync) return;
  int folder = ::open(path.parent_path().empty() ? "." : path.parent_path().c_str(), O_RDONLY);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}
}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                   DWORD disposition, DWORD, HANDLE) {
  if (ShouldFail("CreateFileW")) return INVALID_HANDLE_VALUE;
  int flags = O_CLOEXEC;
  const bool reads = access & GENERIC_READ;
  const bool writes = access & GENERIC_WRITE;
  flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    case OPEN_EXISTING:
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }
  const auto path = PathOf(fileName);
  if (std::filesystem::is_directory(path)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int descriptor = ::open(path.c_str(), flags, 0644);
  if (descriptor < 0) {
    FailWithErrno();
    return INVALID_HANDLE_VALUE;
  }
  std::lock_guard lock(FilesLock());
  auto handle = sim::detail::NewHandleValue();
  State().files.emplace(handle, sim::detail::OpenFile{descriptor, path, share});
  return reinterpret_cast<HANDLE>(handle);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
  int descriptor = DescriptorOf(file);
  if (read != nullptr) *read = 0;
  if (descriptor < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  DWORD total = 0;
  while (total < toRead) {  // like Windows, read all that is asked up to the end
    ssize_t got = ::read(descriptor, bytes + total, toRead - total);
    if (got < 0) return FailWithErrno();
    if (got == 0) break;
    total += static_cast<DWORD>(got);
  }
  if (read != nullptr) *read = total;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED) {
  int descriptor = DescriptorOf(file);
  if (written != nullptr) *written = 0;
  if (descriptor < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto& space = State().diskSpace;
  const DWORD allowed = static_cast<DWORD>(std::min<std::uint64_t>(toWrite, space));
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  DWORD total = 0;
  while (total < allowed) {
    ssize_t put = ::write(descriptor, bytes + total, allowed - total);
    if (put < 0) return FailWithErrno();
    total += static_cast<DWORD>(put);
  }
  if (space != UINT64_MAX) space -= total;
  if (written != nullptr) *written = total;
  if (total < toWrite) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  struct stat status {};
  int descriptor = DescriptorOf(file);
  if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  size->QuadPart = status.st_size;
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition,
                      DWORD moveMethod) {
  int descriptor = DescriptorOf(file);
  if (descriptor < 0 || (moveMethod != FILE_BEGIN && moveMethod != FILE_END)) {
    SetLastError(descriptor < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const off_t at = ::lseek(descriptor, static_cast<off_t>(distance.QuadPart),
                           moveMethod == FILE_BEGIN ? SEEK_SET : SEEK_END);
  if (at < 0) return FailWithErrno();
  if (newPosition != nullptr) newPosition->QuadPart = at;
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
  if (ShouldFail("FlushFileBuffers")) return FALSE;
  int descriptor = DescriptorOf(file);
  if (descriptor < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (State().skipDiskSync) return TRUE;
  return ::fsync(descriptor) == 0 ? TRUE : FailWithErrno();
}

BOOL CloseHandle(HANDLE object) {
  if (sim::detail::CloseProcessHandle(object)) return TRUE;
  std::lock_guard lock(FilesLock());
  auto& files = State().files;
  auto found = files.find(reinterpret_cast<std::uintptr_t>(object));
  if (found == files.end()) {
    sim::detail::RecordMisuse("CloseHandle of a handle that is not an open file");
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ::close(found->second.descriptor);
  files.erase(found);
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags) {
  if (ShouldFail("MoveFileExW")) return FALSE;
  const auto from = PathOf(existing);
  const auto to = PathOf(target);
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && std::filesystem::exists(to)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (HeldAgainstReplacing(from) || HeldAgainstReplacing(to)) {
    SetLastError(ERROR_ACCESS_DENIED);  // what Windows and Wine answer
    return FALSE;
  }
  if (::rename(from.c_str(), to.c_str()) != 0) return FailWithErrno();
  if (flags & MOVEFILE_WRITE_THROUGH) SyncFolderOf(to);
  return TRUE;
}

BOOL CopyFileW(LPCWSTR existing, LPCWSTR target, BOOL failIfExists) {
  if (ShouldFail("CopyFileW")) return FALSE;
  std::error_code error;
  const auto options = failIfExists ? std::filesystem::copy_options::none
                                    : std::filesystem::copy_options::overwrite_existing;
  if (!std::filesystem::copy_file(PathOf(existing), PathOf(target), options, error)) {
    SetLastError(error == std::errc::file_exists ? ERROR_FILE_EXISTS
                                                 : ErrorFromErrno(error.value()));
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName) {
  if (ShouldFail("DeleteFileW")) return FALSE;
  return ::unlink(PathOf(fileName).c_str()) == 0 ? TRUE : FailWithErrno();
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
  struct stat status {};
  if (::stat(PathOf(fileName).c_str(), &status) != 0) {
    FailWithErrno();
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(status.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  // A file its owner may not write stands for one marked read-only.
  return (status.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

namespace sim::detail {

bool ShouldFailFileCall(const char* function) {
  std::lock_guard lock(FilesLock());
  auto& failing = State().failingFileCalls;
  auto found = std::find_if(failing.begin(), failing.end(),
                            [function](const auto& call) { return call.first == function; });
  if (found == failing.end()) return false;
  const DWORD error = found->second;
  failing.erase(found);
  SetLastError(error);
  return true;
}

}  // namespace sim::detail

namespace sim {

void SetDiskSpace(std::uint64_t bytes) {
  State().diskSpace = bytes;
}

void SkipDiskSync(bool skip) {
  State().skipDiskSync = skip;
}

void FailNextFileCall(const std::string& function, DWORD error) {
  std::lock_guard lock(FilesLock());
  State().failingFileCalls.emplace_back(function, error);
}

}  // namespace sim
