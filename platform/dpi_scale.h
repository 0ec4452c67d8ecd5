#pragma once
// Every size of the program is designed at 96 dots per inch and scaled to the dots per inch
// of the monitor that shows it, where it is used. These are the rules of that scaling, apart
// from the system (platform/win32/dpi.h asks the system for a window's or monitor's dpi).

inline constexpr int kDesignDpi = 96;

// `dpi` as the rules take it: kDesignDpi when the system could not say (0 or less).
int UsableDpi(int dpi);

// A design value at 96 dots per inch, scaled to `dpi` and rounded half away from zero, as
// MulDiv rounds.
int ScaleToDpi(int designValue, int dpi);

// The character height (negative, as a LOGFONT's lfHeight) of a font of `points` at `dpi`.
// Taken from the points directly, not from a 96-dpi pixel height, which would round twice.
int FontHeightForPoints(int points, int dpi);
