#include "app/paste/hot_key_poll.h"

#include <utility>

#include "store/base_item.h"

QuickPastePlan QuickPasteDigit(int digit, bool ctrl, bool alt, int mode) {
  QuickPastePlan plan;
  if (mode == 0 || digit < 0 || digit > 9) return plan;
  plan.position = digit == 0 ? 9 : digit - 1;
  if (mode == 2) std::swap(ctrl, alt);
  if (ctrl) plan.categories[plan.count++] = kHistoryCategoryId;
  if (alt) plan.categories[plan.count++] = kNotesCategoryId;
  return plan;
}
