#pragma once

#include <stdexcept>
#include <string>

// A record of the data file that cannot be read: cut short by the end of the file, or
// holding a length that cannot be. The reader reports it with the record's offset.
class CRecordError : public std::runtime_error {
 public:
  explicit CRecordError(const std::string& reason) : std::runtime_error(reason) {}
};
