#include "app/theme/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double LinearChannel(std::uint32_t value) {
  const double channel = static_cast<double>(value & 0xFF) / 255.0;
  return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(std::uint32_t rgb) {
  return 0.2126 * LinearChannel(rgb >> 16) + 0.7152 * LinearChannel(rgb >> 8) +
         0.0722 * LinearChannel(rgb);
}

double ContrastRatio(std::uint32_t first, std::uint32_t second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
