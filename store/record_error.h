#pragma once

#include <stdexcept>
#include <string>

#include "foundation/picture_error.h"

// A record of the data file that cannot be read: cut short by the end of the file, or
// holding a length that cannot be. The reader reports it with the record's offset.
class CRecordError : public std::runtime_error {
 public:
  explicit CRecordError(const std::string& reason) : std::runtime_error(reason) {}
};

// A picture record taken whole (its size is exact) whose picture cannot be kept: the clip
// is lost, but the reader stands after the record and can go on with the next one.
class CPassedPictureError : public CPictureError {
 public:
  explicit CPassedPictureError(const std::string& what) : CPictureError(what) {}
};
