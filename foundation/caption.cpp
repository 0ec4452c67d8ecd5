#include "foundation/caption.h"

#include <algorithm>

namespace {
bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsBlank(char16_t unit) {
  return unit <= 32;
}
}  // namespace

std::u16string MakeCaption(std::u16string_view text) {
  std::size_t length = std::min(text.size(), kCaptionLength);
  if (length == kCaptionLength && length < text.size() && IsHighSurrogate(text[length - 1])) {
    --length;
  }
  std::u16string_view head = text.substr(0, length);
  std::size_t first = 0;
  while (first < head.size() && IsBlank(head[first])) ++first;
  std::size_t last = head.size();
  while (last > first && IsBlank(head[last - 1])) --last;
  return std::u16string(head.substr(first, last - first));
}
