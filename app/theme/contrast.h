#pragma once
// How far apart two colours are to the eye: the relative luminance of a colour and the
// contrast ratio of two, as the accessibility guidelines define them. Colours are 0xRRGGBB.

#include <cstdint>

// Relative luminance of `rgb`, from 0 (black) to 1 (white), of its linearised sRGB channels.
double RelativeLuminance(std::uint32_t rgb);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white. Body text
// needs at least 4.5 (kMinimumTextContrast). The order of the two does not matter.
double ContrastRatio(std::uint32_t first, std::uint32_t second);

inline constexpr double kMinimumTextContrast = 4.5;
