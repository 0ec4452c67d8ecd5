#include "foundation/crypto/random_bytes.h"

#include <algorithm>

#include "foundation/crypto/cng_status.h"

void FillRandom(std::span<std::uint8_t> out) {
  // BCryptGenRandom counts in ULONG; a larger buffer is filled in steps.
  constexpr std::size_t kLargestStep = 0x40000000;
  while (!out.empty()) {
    const auto step = std::min(out.size(), kLargestStep);
    CheckCngStatus(BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(step),
                                   BCRYPT_USE_SYSTEM_PREFERRED_RNG),
                   "BCryptGenRandom");
    out = out.subspan(step);
  }
}
