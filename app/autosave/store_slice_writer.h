#pragma once
// CStoreSliceWriter: the bytes of the data file (the same that CDataBase::SaveToFile
// writes) produced a part at a time, so that writing a store of large pictures never holds
// the message loop for long. Between parts the store must not change: the caller compares
// StoreFingerprint before each part and starts over when it differs.

#include <cstddef>

#include "foundation/byte_writer.h"
#include "store/database.h"

// About the size of the store's data file, a little more (the same estimate as the
// budget of WriteNext counts).
std::size_t EstimatedDataFileBytes(const CDataBase& store);

class CStoreSliceWriter {
 public:
  // Appends whole records of `store` to `out`, going on after the last record of the
  // previous call, until records of about `budget` bytes (by an estimate a little above
  // their size) were appended or the end is reached.
  // True when the last record has been written.
  bool WriteNext(const CDataBase& store, CByteWriter& out, std::size_t budget);

 private:
  bool headerDone_ = false;
  std::size_t clipsDone_ = 0;  // counted from the tail of the clip list
  std::size_t categoriesDone_ = 0;
};
