#include "app/tree/clip_selection.h"

#include <algorithm>
#include <utility>

std::vector<ShownRow> RowsInListOrder(const CItemNode& root) {
  // Walked with a stack of its own, as every walk of the mirror: categories may nest
  // thousands deep in a damaged file. Each level is pushed in reverse so that it pops in
  // the view's order.
  std::vector<ShownRow> rows;
  std::vector<const CItemNode*> pending(root.Order().rbegin(), root.Order().rend());
  while (!pending.empty()) {
    const CItemNode* node = pending.back();
    pending.pop_back();
    rows.push_back({static_cast<int>(node->id), node->isCategory});
    pending.insert(pending.end(), node->Order().rbegin(), node->Order().rend());
  }
  return rows;
}

void CClipSelection::SelectOnly(ShownRow row) {
  ids_.clear();
  if (!row.isCategory) ids_.insert(row.id);
  anchor_ = row;
}

void CClipSelection::Toggle(ShownRow row) {
  anchor_ = row;
  if (row.isCategory) return;
  if (!ids_.contains(row.id)) {
    ids_.insert(row.id);
  } else if (ids_.size() > 1) {
    ids_.erase(row.id);
  }
}

void CClipSelection::ExtendTo(std::span<const ShownRow> shown, ShownRow row, bool keepOthers) {
  const auto to = std::find(shown.begin(), shown.end(), row);
  const auto from = anchor_ ? std::find(shown.begin(), shown.end(), *anchor_) : shown.end();
  if (to == shown.end() || from == shown.end()) {
    SelectOnly(row);
    return;
  }
  if (!keepOthers) ids_.clear();
  const auto [first, last] = std::minmax(from, to);
  for (auto each = first; each <= last; ++each) {
    if (!each->isCategory) ids_.insert(each->id);
  }
}

void CClipSelection::Prune(const std::function<bool(int clipId)>& exists) {
  std::erase_if(ids_, [&](int id) { return !exists(id); });
}

std::vector<int> CClipSelection::InOrder(std::span<const ShownRow> order) const {
  std::vector<int> ordered;
  for (const ShownRow& row : order) {
    if (!row.isCategory && Contains(row.id)) ordered.push_back(row.id);
  }
  return ordered;
}

std::optional<ShownRow> RowAfterRemoval(std::span<const ShownRow> shown,
                                        const CClipSelection& selection) {
  auto selected = [&](const ShownRow& row) {
    return !row.isCategory && selection.Contains(row.id);
  };
  const auto first = std::find_if(shown.begin(), shown.end(), selected);
  if (first == shown.end()) return std::nullopt;
  const auto last = std::find_if(shown.rbegin(), shown.rend(), selected).base();
  const auto below = std::find_if_not(last, shown.end(), selected);
  if (below != shown.end()) return *below;
  for (auto above = first; above != shown.begin();) {
    --above;
    if (!selected(*above)) return *above;
  }
  return std::nullopt;
}
