#pragma once
// What the preview beside the clip list shows and where, apart from any window: the
// excerpt of a text clip, the size a picture is shown at, the caption with the time it was
// copied, and the preview's place beside the list. Sizes are pixels at 96 dots per inch,
// scaled where used.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/windows_api.h"

// The pointer rests on a row, or the keyboard selects it, this long before the preview.
inline constexpr unsigned kPreviewDelayMilliseconds = 500;
inline constexpr int kPreviewMaxLines = 20;
inline constexpr std::size_t kPreviewMaxCharacters = 2000;
inline constexpr int kPreviewPictureWidth = 320;
inline constexpr int kPreviewPictureHeight = 240;
inline constexpr int kPreviewTextWidth = 320;  // text wraps at this width
inline constexpr int kPreviewPadding = 6;      // inside the border
inline constexpr int kPreviewLineGap = 4;      // between the content and the caption line
inline constexpr int kPreviewGap = 4;          // between the list and the preview

// The first kPreviewMaxLines lines of `text`, and no more than kPreviewMaxCharacters units
// (a surrogate pair is never split), with line breaks as "\r\n"; "…" ends a text that was
// cut. Trailing blank lines are left out.
std::u16string PreviewExcerpt(std::u16string_view text);

struct PreviewSize {
  int width = 0;
  int height = 0;
  bool operator==(const PreviewSize&) const = default;
};

// A picture of `width` x `height` fitted into `box`, proportions kept, never enlarged, at
// least one pixel each way. Nothing for an empty picture.
PreviewSize FitPicture(int width, int height, PreviewSize box);

// "640 × 480 pixels".
std::u16string PictureSizeText(int width, int height);

// The local date and time of a day count (whole days since 30 December 1899 and the
// fraction of the day), to the millisecond.
SYSTEMTIME SystemTimeFromDayCount(double dayCount);

struct PreviewRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PreviewRect&) const = default;
};

// Where a preview of `size` goes: left of `list` if it fits in `workArea` there, else
// right of it, its top at `rowTop`; kept inside the work area as far as it fits.
PreviewRect PlacePreview(const PreviewRect& list, int rowTop, PreviewSize size,
                         const PreviewRect& workArea);
