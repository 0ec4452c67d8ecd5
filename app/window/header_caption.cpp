#include "app/window/header_caption.h"

#include <algorithm>

std::u16string HeaderCaptionText(std::u16string caption, bool storeEmpty) {
  if (caption.empty() && storeEmpty) return kNoClipsCaption;
  return caption;
}

int CentredTextTop(int lineTop, int lineHeight, int textHeight) {
  return lineTop + std::max(0, (lineHeight - textHeight) / 2);
}
