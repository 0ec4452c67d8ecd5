#include "store/base_item.h"

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
