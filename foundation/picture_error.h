#pragma once

#include <stdexcept>
#include <string>

// A picture that cannot be made or read: an unknown depth, absurd dimensions, data that is
// not a BMP image.
class CPictureError : public std::runtime_error {
 public:
  explicit CPictureError(const std::string& what) : std::runtime_error(what) {}
};
