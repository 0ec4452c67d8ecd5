#include "store/text_item.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/caption.h"
#include "foundation/day_count.h"
#include "foundation/utf8_text.h"
#include "platform/handles.h"
#include "store/clipboard_blocks.h"
#include "store/clipboard_privacy.h"
#include "store/data_file_format.h"
#include "store/record_error.h"

namespace {

// The formatted forms of the text on the open clipboard, whose formats are `offered`, all of
// them or, beyond the limit together, none.
std::vector<CClipFormat> ReadFormattedText(const CClipboardFormatSet& offered, std::size_t room) {
  // A name keeps its number for the whole session.
  static const std::array<UINT, std::size(kFormattedTextFormats)> registered = [] {
    std::array<UINT, std::size(kFormattedTextFormats)> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      numbers[i] = RegisteredFormat(kFormattedTextFormats[i]);
    }
    return numbers;
  }();
  std::vector<CClipFormat> found;
  for (std::size_t i = 0; i < registered.size(); ++i) {
    const char16_t* name = kFormattedTextFormats[i];
    const UINT format = registered[i];
    if (format == 0 || !offered.Has(format)) continue;
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) continue;
    GlobalLockGuard lock(data);
    if (lock.data() == nullptr) continue;
    // Measured before it is copied: a huge block beyond the limit is never copied.
    if (lock.size() > room) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(lock.data());
    found.push_back({name, std::vector<std::uint8_t>(bytes, bytes + lock.size())});
    room -= lock.size();
  }
  return found;
}

}  // namespace

bool CTextItem::ReadFromClipboard(HWND ownerWindow) {
  return ReadFromClipboard(ownerWindow, kDefaultMaxFormatBytes);
}

bool CTextItem::ReadFromClipboard(HWND ownerWindow, std::size_t maxFormatBytes,
                                  std::size_t maxTextUnits) {
  ClipboardOpen clipboard(ownerWindow, kCapturePatience);
  if (!clipboard.IsOpen()) return false;
  const CClipboardFormatSet offered = CClipboardFormatSet::Now();
  if (!offered.HasText() || OpenClipboardContentIsPrivate(offered)) return false;
  clipboardSequence = GetClipboardSequenceNumber();

  // Text announced but never delivered is no clip: its program went before it gave the
  // text (X11 programs copying in a quick burst do), and an empty clip in its place would
  // only push a real one out of the history.
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return false;
  {
    GlobalLockGuard lock(data);
    if (lock.data() == nullptr) return false;
    // Never read past the block, whether or not its text ends in a NUL, and never further
    // than one unit past the limit: a huge block is refused without being walked.
    const auto* units = static_cast<const char16_t*>(lock.data());
    std::u16string_view all(units, lock.size() / sizeof(char16_t));
    all = all.substr(0, std::min(all.size(), maxTextUnits) + 1);
    all = all.substr(0, all.find(u'\0'));
    if (all.size() > maxTextUnits) {
      return Refuse(Utf16FromUtf8("Text too long to keep (more than " +
                                  std::to_string(maxTextUnits) + " characters)"));
    }
    text = all;
  }
  formats = ReadFormattedText(offered, maxFormatBytes);
  clipboard.Close();
  created = CurrentDayCount();
  textLength = static_cast<int>(text.size());
  return true;
}

bool CTextItem::WriteToClipboard(HWND ownerWindow) const {
  return PutBlocksOnClipboard(ownerWindow, TransferBlocks());
}

std::vector<CClipBlock> CTextItem::TransferBlocks() const {
  const std::u16string whole = text.Utf16();
  const std::u16string_view kept(whole.data(), std::min(whole.size(), whole.find(u'\0')));
  std::vector<std::uint8_t> units((kept.size() + 1) * sizeof(char16_t), 0);
  if (!kept.empty()) std::memcpy(units.data(), kept.data(), kept.size() * sizeof(char16_t));
  std::vector<CClipBlock> blocks;
  blocks.reserve(1 + formats.size());
  blocks.push_back({CF_UNICODETEXT, std::move(units)});
  for (const CClipFormat& format : formats) {
    const UINT registered = RegisteredFormat(format.name);
    if (registered != 0) blocks.push_back({registered, format.data});
  }
  return blocks;
}

namespace {
// The text after its length field, which must be possible before anything is allocated.
std::u16string ReadText(CByteReader& reader) {
  std::int32_t length;
  if (!reader.ReadInt32(&length)) throw CRecordError("text record cut short");
  if (length < 0) throw CRecordError("negative text length " + std::to_string(length));
  std::u16string text;
  if (!reader.ReadUtf16(static_cast<std::size_t>(length), &text)) {
    throw CRecordError("text of " + std::to_string(length) + " units runs past the end");
  }
  return text;
}
}  // namespace

// The text record's size field is signed 32-bit: the longest text a capture keeps fits.
static_assert(2 * kMaxTextUnits + 16 <= std::size_t{INT32_MAX});

bool CTextItem::Save(CByteWriter& writer) const {
  writer.WriteInt32(kTextRecord);
  writer.WriteInt32(static_cast<std::int32_t>(2 * text.size() + 16));
  SaveCommonFields(writer);
  writer.WriteInt32(static_cast<std::int32_t>(text.size()));
  if (text.IsAscii()) {
    writer.WriteAsciiAsUtf16(text.Ascii());
  } else {
    writer.WriteUtf16(text.Wide());
  }
  if (!formats.empty()) SaveFormatsRecord(writer, formats);
  return true;
}

void CTextItem::Load(CByteReader& reader) {
  LoadCommonFields(reader);
  text = CClipText::Taking(ReadText(reader));
  textLength = static_cast<int>(text.size());
}

bool CTextItem::LoadAttached(std::int32_t recordKind, CByteReader& reader) {
  if (recordKind != kFormatsRecord) return false;
  formats = LoadFormatsRecord(reader);
  return true;
}

void CTextItem::LoadLegacy(CByteReader& reader) {
  if (!reader.ReadInt32(&categoryId) || !reader.ReadDouble(&created)) {
    throw CRecordError("legacy record cut short");
  }
  text = CClipText::Taking(ReadText(reader));
  textLength = static_cast<int>(text.size());
}

void CTextItem::ReplaceText(std::u16string_view newText) {
  text = newText;
  textLength = static_cast<int>(text.size());
  formats.clear();
}

std::u16string CTextItem::Caption() const {
  // One unit past the caption's length: MakeCaption tells from it whether a pair is cut.
  return MakeCaption(text.Utf16(kCaptionLength + 1));
}
