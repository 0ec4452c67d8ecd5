#include "platform/dpi_scale.h"

#include <cstdint>

namespace {

// value * numerator / denominator, rounded half away from zero; denominator > 0.
int MulDivRounded(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

int UsableDpi(int dpi) {
  return dpi > 0 ? dpi : kDesignDpi;
}

int ScaleToDpi(int designValue, int dpi) {
  return MulDivRounded(designValue, UsableDpi(dpi), kDesignDpi);
}

int FontHeightForPoints(int points, int dpi) {
  return -MulDivRounded(points, UsableDpi(dpi), 72);
}
