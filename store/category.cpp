#include "store/category.h"

#include "store/data_file_format.h"
#include "store/record_error.h"

void CCategory::Save(CByteWriter& writer) const {
  writer.WriteInt32(kCategoryRecord);
  writer.WriteInt32(static_cast<std::int32_t>(2 * name.size() + 16));
  writer.WriteInt32(id);
  writer.WriteInt32(parentId);
  writer.WriteInt32(iconIndex);
  writer.WriteInt32(reserved);
  writer.WriteInt32(static_cast<std::int32_t>(name.size()));
  writer.WriteUtf16(name);
}

void CCategory::Load(CByteReader& reader) {
  std::int32_t size, length;
  if (!reader.ReadInt32(&size) || !reader.ReadInt32(&id) || !reader.ReadInt32(&parentId) ||
      !reader.ReadInt32(&iconIndex) || !reader.ReadInt32(&reserved) || !reader.ReadInt32(&length)) {
    throw CRecordError("category record cut short");
  }
  if (length < 0) throw CRecordError("negative name length " + std::to_string(length));
  if (!reader.ReadUtf16(static_cast<std::size_t>(length), &name)) {
    throw CRecordError("category name of " + std::to_string(length) + " units runs past the end");
  }
}
