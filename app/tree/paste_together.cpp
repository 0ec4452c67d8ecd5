#include "app/tree/paste_together.h"

std::optional<std::u16string> JoinedClipTexts(std::span<const CBaseItem* const> clips) {
  std::optional<std::u16string> joined;
  for (const CBaseItem* clip : clips) {
    if (clip == nullptr || clip->kind != kTextKind) continue;
    const std::optional<std::u16string> text = clip->PlainText();
    if (!text) continue;
    if (joined) {
      *joined += u"\r\n";
      *joined += *text;
    } else {
      joined = *text;
    }
  }
  return joined;
}
