#pragma once
// CClipSelection: the clips selected together in the clip tree. The tree view keeps one
// selected row, where the keyboard is; Ctrl and Shift, with a click or the arrows, gather
// several clip rows around it, of any categories, and this set holds them. It keeps clip
// ids, never nodes: every rebuild may replace the mirror's nodes, and a clip that leaves
// (trimmed by a capture, deleted, moved to another category under a new id) leaves the set
// at the next Prune. A category row is never in it.

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <vector>

#include "categories/item_node.h"

// A row of the tree, top to bottom as shown.
struct ShownRow {
  int id = 0;
  bool isCategory = false;
  bool operator==(const ShownRow&) const = default;
};

// Every row of the mirror below `root`, categories before their rows, in the view's order,
// shown or folded: the order in which the tree lists them.
std::vector<ShownRow> RowsInListOrder(const CItemNode& root);

class CClipSelection {
 public:
  // A plain click or arrow key: `row` alone, or nothing for a category row. The next Shift
  // counts from `row`.
  void SelectOnly(ShownRow row);
  // Ctrl+click: a clip row joins the set or leaves it, unless it is the last one left; a
  // category row changes nothing. The next Shift counts from `row` either way.
  void Toggle(ShownRow row);
  // A clip row joins the set; the next Shift still counts from where it did.
  void Add(ShownRow row) {
    if (!row.isCategory) ids_.insert(row.id);
  }
  // Shift (with a click or a key): the clip rows of `shown` from the row the last plain
  // click, Ctrl+click or arrow went to, through `row`, both included; with `keepOthers`
  // (Ctrl+Shift) added to those already selected, else in their place. When that row is
  // not among `shown` any more, it is SelectOnly(row).
  void ExtendTo(std::span<const ShownRow> shown, ShownRow row, bool keepOthers = false);
  // Drops the clips for which `exists` is false: those that left the store or the tree.
  void Prune(const std::function<bool(int clipId)>& exists);

  bool Contains(int clipId) const { return ids_.contains(clipId); }
  std::size_t Count() const { return ids_.size(); }
  bool Empty() const { return ids_.empty(); }
  // The selected clips in the order of `order` (RowsInListOrder); a clip not in it is left
  // out.
  std::vector<int> InOrder(std::span<const ShownRow> order) const;

 private:
  std::set<int> ids_;
  std::optional<ShownRow> anchor_;  // where the next Shift counts from
};

// The row that takes the tree's selection once the selected clips are gone: the first of
// `shown` below the last selected row that is not selected, else the nearest above the
// first selected one, else none.
std::optional<ShownRow> RowAfterRemoval(std::span<const ShownRow> shown,
                                        const CClipSelection& selection);
