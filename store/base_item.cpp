#include "store/base_item.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/day_count.h"
#include "store/record_error.h"

CBaseItem::CBaseItem(int itemKind) : created(CurrentDayCount()), kind(itemKind) {}

void CBaseItem::SaveCommonFields(CByteWriter& writer) const {
  writer.WriteInt32(categoryId);
  writer.WriteDouble(created);
  writer.WriteUInt16(hotKey);
}

void CBaseItem::LoadCommonFields(CByteReader& reader) {
  std::int32_t size;  // only for skipping kinds one does not know
  if (!reader.ReadInt32(&size) || !reader.ReadInt32(&categoryId) || !reader.ReadDouble(&created) ||
      !reader.ReadUInt16(&hotKey)) {
    throw CRecordError("clip record cut short");
  }
}

bool CBaseItem::Refuse(std::u16string reason) {
  refusal_ = std::move(reason);
  return false;
}

std::span<const std::uint8_t> TakeSizedRecordBody(CByteReader& reader, const char* what) {
  std::int32_t size;
  if (!reader.ReadInt32(&size)) throw CRecordError(std::string(what) + " cut short");
  const std::uint8_t* body = nullptr;
  if (size < 0 || !reader.Take(static_cast<std::size_t>(size), &body)) {
    throw CRecordError(std::string(what) + " of size " + std::to_string(size) +
                       " runs past the end");
  }
  return {body, static_cast<std::size_t>(size)};
}

bool PutPlainTextOnClipboard(HWND ownerWindow, std::u16string_view text) {
  const std::u16string_view kept = text.substr(0, std::min(text.size(), text.find(u'\0')));
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (kept.size() + 1) * sizeof(char16_t)));
  if (!memory) return false;
  {
    GlobalLockGuard lock(memory.get());
    if (lock.data() == nullptr) return false;
    auto* units = static_cast<char16_t*>(lock.data());
    std::memcpy(units, kept.data(), kept.size() * sizeof(char16_t));
    units[kept.size()] = u'\0';
  }
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}
