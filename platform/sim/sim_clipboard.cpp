// The clipboard as Windows keeps it: one opener at a time, content replaced only between
// EmptyClipboard and CloseClipboard by the opener, handles owned by the clipboard once set,
// the ANSI, OEM and Unicode text forms made from each other on request, and the viewer
// notified synchronously when a change is closed.

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::ClipboardEntry;
using sim::detail::ClipboardState;
using sim::detail::State;

constexpr UINT kFirstRegisteredFormat = 0xC000;

ClipboardState& Board() {
  return State().clipboard;
}

bool HeldByAnotherThread() {
  auto& board = Board();
  if (board.heldByAnotherThread && State().tick >= board.heldUntilTick) {
    board.heldByAnotherThread = false;
  }
  return board.heldByAnotherThread;
}

const ClipboardEntry* FindEntry(const std::vector<ClipboardEntry>& entries, UINT format) {
  auto found = std::find_if(entries.begin(), entries.end(),
                            [format](const ClipboardEntry& e) { return e.format == format; });
  return found == entries.end() ? nullptr : &*found;
}

bool IsText(UINT format) {
  return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

// The text form that other text forms are made from: Unicode first, as Windows prefers.
const ClipboardEntry* TextSource() {
  for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    if (const auto* entry = FindEntry(Board().entries, format)) return entry;
  }
  return nullptr;
}

std::u16string ReadAsUnicode(const ClipboardEntry& source) {
  auto* block = sim::detail::FindGlobal(source.data);
  if (block == nullptr) return {};
  const auto& bytes = block->bytes;
  if (source.format == CF_UNICODETEXT) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.substr(0, text.find(u'\0'));
  }
  std::string narrow(bytes.begin(), bytes.end());
  narrow = narrow.substr(0, narrow.find('\0'));
  UINT codePage = source.format == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
  int length =
      MultiByteToWideChar(codePage, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(codePage, 0, narrow.data(), static_cast<int>(narrow.size()), text.data(),
                      length);
  return text;
}

// The system hands out text blocks that end in a NUL, writing one over the last unit of a
// block that has none.
void TerminateText(const ClipboardEntry& entry) {
  auto* block = sim::detail::FindGlobal(entry.data);
  if (!IsText(entry.format) || block == nullptr) return;
  auto& bytes = block->bytes;
  if (entry.format == CF_UNICODETEXT && bytes.size() >= 2) {
    const std::size_t end = bytes.size() / 2 * 2;
    bytes[end - 2] = 0;
    bytes[end - 1] = 0;
  } else if (entry.format != CF_UNICODETEXT && !bytes.empty()) {
    bytes.back() = 0;
  }
}

HANDLE MakeBlock(const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return nullptr;
  std::memcpy(GlobalLock(memory), data, size);
  GlobalUnlock(memory);
  sim::detail::FindGlobal(memory)->ownedByClipboard = true;
  return memory;
}

HANDLE Synthesise(UINT format) {
  const auto* source = TextSource();
  if (source == nullptr || source->data == nullptr) return nullptr;
  TerminateText(*source);
  std::u16string text = ReadAsUnicode(*source);
  HANDLE made = nullptr;
  if (format == CF_UNICODETEXT) {
    made = MakeBlock(text.c_str(), (text.size() + 1) * 2);
  } else {
    UINT codePage = format == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
    int wideLength = static_cast<int>(text.size()) + 1;  // with the NUL
    int size =
        WideCharToMultiByte(codePage, 0, text.c_str(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), wideLength, narrow.data(), size, nullptr,
                        nullptr);
    made = MakeBlock(narrow.data(), narrow.size());
  }
  if (made != nullptr) Board().synthesised.push_back({format, made});
  return made;
}

void FreeAll(std::vector<ClipboardEntry>& entries) {
  for (const auto& entry : entries) sim::detail::FreeClipboardHandle(entry.format, entry.data);
  entries.clear();
}

bool Synthesisable(UINT format) {
  return IsText(format) && FindEntry(Board().entries, format) == nullptr && TextSource() != nullptr;
}

bool OpenedByCaller() {
  if (!Board().open) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
  }
  return true;
}
}  // namespace

BOOL OpenClipboard(HWND newOwner) {
  auto& board = Board();
  if (HeldByAnotherThread()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // The program has one thread, and a thread may open the clipboard again while it holds it.
  board.open = true;
  board.openedBy = newOwner;
  return TRUE;
}

BOOL CloseClipboard() {
  auto& board = Board();
  if (!OpenedByCaller()) return FALSE;
  bool changed = board.changedWhileOpen;
  board.open = false;
  board.openedBy = nullptr;
  board.changedWhileOpen = false;
  if (changed && board.viewer) {
    auto viewer = board.viewer;  // the viewer may replace itself while it runs
    viewer();
  }
  return TRUE;
}

BOOL EmptyClipboard() {
  auto& board = Board();
  if (!OpenedByCaller()) return FALSE;
  FreeAll(board.entries);
  FreeAll(board.synthesised);
  board.owner = board.openedBy;
  board.changedWhileOpen = true;
  ++board.sequence;
  return TRUE;
}

HANDLE GetClipboardData(UINT format) {
  if (!OpenedByCaller()) return nullptr;
  if (const auto* entry = FindEntry(Board().entries, format)) {
    TerminateText(*entry);
    return entry->data;
  }
  if (const auto* made = FindEntry(Board().synthesised, format)) return made->data;
  if (Synthesisable(format)) return Synthesise(format);
  return nullptr;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  auto& board = Board();
  if (!OpenedByCaller() || format == 0) return nullptr;
  if (data != nullptr) {
    bool known = format == CF_BITMAP ? sim::detail::FindBitmap(data) != nullptr
                                     : sim::detail::FindGlobal(data) != nullptr;
    if (!known) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    if (format == CF_BITMAP) {
      sim::detail::FindBitmap(data)->ownedByClipboard = true;
    } else {
      sim::detail::FindGlobal(data)->ownedByClipboard = true;
    }
  }
  auto existing = std::find_if(board.entries.begin(), board.entries.end(),
                               [format](const ClipboardEntry& e) { return e.format == format; });
  if (existing != board.entries.end()) {
    if (existing->data != data) sim::detail::FreeClipboardHandle(format, existing->data);
    existing->data = data;
  } else {
    board.entries.push_back({format, data});
  }
  // Forms made from the old text are stale now.
  if (IsText(format)) FreeAll(board.synthesised);
  board.changedWhileOpen = true;
  ++board.sequence;
  return data;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  return FindEntry(Board().entries, format) != nullptr || Synthesisable(format) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  int count = static_cast<int>(Board().entries.size());
  for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    if (Synthesisable(format)) ++count;
  }
  return count;
}

UINT EnumClipboardFormats(UINT format) {
  if (!OpenedByCaller()) return 0;
  std::vector<UINT> formats;
  for (const auto& entry : Board().entries) formats.push_back(entry.format);
  for (UINT text : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    if (Synthesisable(text)) formats.push_back(text);
  }
  SetLastError(ERROR_SUCCESS);
  if (format == 0) return formats.empty() ? 0 : formats.front();
  auto at = std::find(formats.begin(), formats.end(), format);
  if (at == formats.end() || ++at == formats.end()) return 0;
  return *at;
}

// As Windows lists them: open or not, the forms of text it makes from another included.
BOOL GetUpdatedClipboardFormats(UINT* formats, UINT room, UINT* count) {
  std::vector<UINT> offered;
  for (const auto& entry : Board().entries) offered.push_back(entry.format);
  for (UINT text : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    if (Synthesisable(text)) offered.push_back(text);
  }
  if (count == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *count = static_cast<UINT>(offered.size());
  if (offered.size() > room || (formats == nullptr && !offered.empty())) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::copy(offered.begin(), offered.end(), formats);
  return TRUE;
}

UINT RegisterClipboardFormatW(LPCWSTR name) {
  if (name == nullptr || *name == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string wanted(name);
  auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
  auto& formats = Board().registeredFormats;
  for (const auto& [known, id] : formats) {
    if (known.size() == wanted.size() &&
        std::equal(known.begin(), known.end(), wanted.begin(),
                   [&](char16_t a, char16_t b) { return fold(a) == fold(b); })) {
      return id;
    }
  }
  UINT id = kFirstRegisteredFormat + static_cast<UINT>(formats.size());
  formats.emplace_back(std::move(wanted), id);
  return id;
}

UINT RegisterClipboardFormatA(LPCSTR name) {
  if (name == nullptr) return RegisterClipboardFormatW(nullptr);
  std::u16string wide;
  for (const char* c = name; *c != 0; ++c) wide.push_back(static_cast<unsigned char>(*c));
  return RegisterClipboardFormatW(wide.c_str());
}

HWND GetClipboardOwner() {
  return Board().owner;
}

HWND GetOpenClipboardWindow() {
  return Board().open ? Board().openedBy : nullptr;
}

DWORD GetClipboardSequenceNumber() {
  return Board().sequence;
}

namespace sim {

void SetClipboardViewer(std::function<void()> onChange) {
  Board().viewer = std::move(onChange);
}

void HoldClipboardFromAnotherThread(DWORD milliseconds) {
  auto& board = Board();
  board.heldByAnotherThread = true;
  board.heldUntilTick = milliseconds == kForever ? UINT64_MAX : State().tick + milliseconds;
}

void ReleaseClipboardFromAnotherThread() {
  Board().heldByAnotherThread = false;
}

}  // namespace sim
