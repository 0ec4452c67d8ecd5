#pragma once

#include <string>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

// The record of one user category. Categories are numbered from 1001 upward by the store;
// parentId 0 puts a category at the top level.
class CCategory {
 public:
  int id = 0;
  int parentId = 0;
  int iconIndex = 0;  // column of the category's icon in the category icon list
  int reserved = 0;   // 0 for every category the program makes; kept as it was read
  std::u16string name;

  // Writes the whole category record of the data file.
  void Save(CByteWriter& writer) const;
  // Reads a category record from its size field on (the kind already read). Throws
  // CRecordError when the record is cut short or its name length cannot be.
  void Load(CByteReader& reader);

  bool operator==(const CCategory&) const = default;
};
