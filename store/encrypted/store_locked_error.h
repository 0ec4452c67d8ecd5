#pragma once
// CStoreLockedError: the data file or journal is encrypted, and no key that opens it was
// given: the clips are locked until the program unlocks them.

#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/file_error.h"

class CStoreLockedError : public CFileError {
 public:
  CStoreLockedError(std::string_view what, const std::filesystem::path& path)
      : CFileError("The clips are locked: no key opens the encrypted " + std::string(what), path) {}
};
