#include "store/base_item.h"

#include "foundation/day_count.h"

CBaseItem::CBaseItem(int itemKind) : created(CurrentDayCount()), kind(itemKind) {}
