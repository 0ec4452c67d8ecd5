#include "store/file_list_item.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/caption.h"
#include "foundation/day_count.h"
#include "foundation/utf8_text.h"
#include "store/clipboard_blocks.h"
#include "store/clipboard_privacy.h"
#include "store/data_file_format.h"
#include "store/record_error.h"

namespace {

// DROPFILES: DWORD pFiles (where the paths begin), POINT pt, BOOL fNC, BOOL fWide.
constexpr std::size_t kDropFilesBytes = 20;
constexpr std::size_t kWideFlagOffset = 16;
// Far more than any file manager puts in one copy; bounds what a strange block can make.
constexpr std::size_t kMaxDropListBytes = std::size_t{64} << 20;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
         std::uint32_t{bytes[3]} << 24;
}

std::u16string FromAnsi(std::string_view narrow) {
  if (narrow.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(std::max(length, 0)), u'\0');
  MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()),
                      AsWide(wide.data()), length);
  return wide;
}

// The name after the last separator, or the whole path when it ends in one.
std::u16string_view FileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos || slash + 1 == path.size()) return path;
  return path.substr(slash + 1);
}

// Hands `take` each path of a list (a NUL after each, an empty one at its end) until it
// gives false. A path without its NUL is cut short and left out.
template <typename Unit, typename Take>
void WalkDropListPaths(std::basic_string_view<Unit> units, Take take) {
  while (!units.empty() && units.front() != Unit{0}) {
    const std::size_t end = units.find(Unit{0});
    if (end == std::basic_string_view<Unit>::npos || !take(units.substr(0, end))) return;
    units.remove_prefix(end + 1);
  }
}

// Hands `take` the block's paths as they are stored, a std::u16string_view or, in ANSI, a
// std::string_view each; nothing for a block that holds no list.
template <typename Take>
void ForEachDropListPath(std::span<const std::uint8_t> block, Take take) {
  if (block.size() < kDropFilesBytes) return;
  const std::uint32_t start = LittleEndian32(block.data());
  const bool wide = LittleEndian32(block.data() + kWideFlagOffset) != 0;
  if (start < kDropFilesBytes || start >= block.size()) return;
  if (wide) {
    // Copied so that the units are aligned, wherever the list begins.
    std::u16string all((block.size() - start) / 2, u'\0');
    std::memcpy(all.data(), block.data() + start, all.size() * 2);
    WalkDropListPaths(std::u16string_view(all), take);
  } else {
    WalkDropListPaths(
        std::string_view(reinterpret_cast<const char*>(block.data()) + start, block.size() - start),
        take);
  }
}

}  // namespace

UINT DropEffectFormat() {
  return RegisteredFormat(u"Preferred DropEffect");
}

std::vector<std::u16string> PathsOfDropList(std::span<const std::uint8_t> block) {
  std::vector<std::u16string> paths;
  ForEachDropListPath(block, [&paths](auto path) {
    if constexpr (std::is_same_v<decltype(path), std::u16string_view>) {
      paths.emplace_back(path);
    } else {
      paths.push_back(FromAnsi(path));
    }
    return true;
  });
  return paths;
}

bool DropListHasMorePathsThan(std::span<const std::uint8_t> block, std::size_t limit) {
  std::size_t count = 0;
  ForEachDropListPath(block, [&count, limit](auto) { return ++count <= limit; });
  return count > limit;
}

std::vector<std::uint8_t> DropListOf(const std::vector<std::u16string>& paths) {
  CByteWriter block;
  block.WriteUInt32(kDropFilesBytes);
  block.WriteInt32(0);  // pt
  block.WriteInt32(0);
  block.WriteUInt32(0);  // fNC
  block.WriteUInt32(1);  // fWide
  for (const std::u16string& path : paths) {
    block.WriteUtf16(path.substr(0, path.find(u'\0')));
    block.WriteUInt16(0);
  }
  block.WriteUInt16(0);
  return std::move(block.Bytes());
}

std::u16string FileListCaption(const std::vector<std::u16string>& paths) {
  if (paths.size() == 1) return std::u16string(FileName(paths.front()));
  std::u16string caption;
  for (char c : std::to_string(paths.size()) + " files: ")
    caption.push_back(static_cast<char16_t>(c));
  constexpr std::size_t kNamesShown = 3;
  for (std::size_t i = 0; i < paths.size() && i < kNamesShown; ++i) {
    if (i != 0) caption += u", ";
    caption += FileName(paths[i]);
  }
  if (paths.size() > kNamesShown) caption += u", \u2026";
  return caption;
}

bool CFileListItem::ReadFromClipboard(HWND ownerWindow) {
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen()) return false;
  const CClipboardFormatSet offered = CClipboardFormatSet::Now();
  if (!offered.Has(CF_HDROP) || OpenClipboardContentIsPrivate(offered)) return false;
  clipboardSequence = GetClipboardSequenceNumber();
  const std::optional<std::vector<std::uint8_t>> block =
      ReadClipboardBlock(CF_HDROP, kMaxDropListBytes);
  if (!block) return false;
  // Counted before any path is made a string: each costs far more than its bytes.
  if (DropListHasMorePathsThan(*block, kMaxDropPaths)) {
    return Refuse(Utf16FromUtf8("Too many files to keep (more than " +
                                std::to_string(kMaxDropPaths) + " in one copy)"));
  }
  std::vector<std::u16string> found = PathsOfDropList(*block);
  if (found.empty()) return false;
  std::uint32_t effect = 0;
  if (const UINT format = DropEffectFormat(); format != 0 && IsClipboardFormatAvailable(format)) {
    const std::optional<std::vector<std::uint8_t>> value = ReadClipboardBlock(format, 64);
    if (value && value->size() >= 4) effect = LittleEndian32(value->data());
  }
  clipboard.Close();
  paths = std::move(found);
  dropEffect = effect;
  created = CurrentDayCount();
  textLength = 0;
  return true;
}

bool CFileListItem::WriteToClipboard(HWND ownerWindow) const {
  return PutBlocksOnClipboard(ownerWindow, TransferBlocks());
}

std::vector<CClipBlock> CFileListItem::TransferBlocks() const {
  if (paths.empty()) return {};
  std::vector<CClipBlock> blocks;
  blocks.push_back({CF_HDROP, DropListOf(paths)});
  if (const UINT format = DropEffectFormat(); dropEffect != 0 && format != 0) {
    blocks.push_back(
        {format,
         {static_cast<std::uint8_t>(dropEffect), static_cast<std::uint8_t>(dropEffect >> 8),
          static_cast<std::uint8_t>(dropEffect >> 16),
          static_cast<std::uint8_t>(dropEffect >> 24)}});
  }
  return blocks;
}

std::optional<std::u16string> CFileListItem::PlainText() const {
  std::u16string text;
  for (const std::u16string& path : paths) {
    if (!text.empty()) text += u"\r\n";
    text += path;
  }
  return text;
}

bool CFileListItem::Save(CByteWriter& writer) const {
  std::size_t body = 4 + 8 + 2 + 4 + 4;
  for (const std::u16string& path : paths) body += 4 + 2 * path.size();
  writer.WriteInt32(kFileListRecord);
  writer.WriteInt32(static_cast<std::int32_t>(body));
  SaveCommonFields(writer);
  writer.WriteUInt32(dropEffect);
  writer.WriteInt32(static_cast<std::int32_t>(paths.size()));
  for (const std::u16string& path : paths) {
    writer.WriteInt32(static_cast<std::int32_t>(path.size()));
    writer.WriteUtf16(path);
  }
  return true;
}

void CFileListItem::Load(CByteReader& reader) {
  const std::span<const std::uint8_t> body = TakeSizedRecordBody(reader, "file list record");
  CByteReader fields(body.data(), body.size());
  std::int32_t count;
  if (!fields.ReadInt32(&categoryId) || !fields.ReadDouble(&created) ||
      !fields.ReadUInt16(&hotKey) || !fields.ReadUInt32(&dropEffect) || !fields.ReadInt32(&count) ||
      count < 0) {
    throw CRecordError("file list record cut short");
  }
  // A list of more paths than a capture keeps (stored by a copy that kept any number)
  // keeps its first ones; the rest of its record is left unread.
  const std::int32_t kept = std::min(count, static_cast<std::int32_t>(kMaxDropPaths));
  std::vector<std::u16string> loaded;
  for (std::int32_t i = 0; i < kept; ++i) {
    std::int32_t length;
    std::u16string path;
    if (!fields.ReadInt32(&length) || length < 0 ||
        !fields.ReadUtf16(static_cast<std::size_t>(length), &path)) {
      throw CRecordError("path " + std::to_string(i + 1) + " runs past its file list record");
    }
    loaded.push_back(std::move(path));
  }
  if (kept == count && !fields.AtEnd()) {
    throw CRecordError("file list record longer than its paths");
  }
  pathsCutAtLoad_ = static_cast<std::size_t>(count - kept);
  paths = std::move(loaded);
  textLength = 0;
}

std::u16string CFileListItem::Caption() const {
  return MakeCaption(FileListCaption(paths));
}
