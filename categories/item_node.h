#pragma once
// CItemNode: a node of the category tree mirror, one per visible category and clip. Each
// node owns its child nodes and, through the view, one row whose data is the node; every
// row is drawn from the node's fields. A rebuild marks the nodes it confirms, adds new ones,
// and prunes the rest with their rows, so rows that stay keep their expansion and selection.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "categories/tree_view.h"
#include "foundation/bitmap.h"

class CItemNode {
 public:
  CItemNode() = default;
  CItemNode(const CItemNode&) = delete;
  CItemNode& operator=(const CItemNode&) = delete;

  // The child with that id, marked, and true; or a new cleared child stored under that id,
  // not marked, and false (the caller fills it in).
  std::pair<CItemNode*, bool> FindOrAddChild(unsigned int childId);

  // The marked category node with that id below this one, searching each level before the
  // next in ascending id order; none when the first category found with that id is not
  // marked. Only category nodes are found: a damaged file can give a clip a category id in
  // the range of clip ids.
  CItemNode* FindMarkedNode(unsigned int nodeId);

  // Unmarks this node and every node below it.
  void ClearMarks();

  // Removes, bottom-up, every unmarked node left without children, deleting its row from
  // `view` (when there is one).
  void PruneUnmarked(TCustomTreeView* view);

  // For category nodes, recursively: `count` = the number of direct child nodes.
  void UpdateCounts();

  // Destroys every child and resets every field. Rows are left to their view.
  void Clear();

  // Appends `node`'s row below `parent`'s (at the top level when `parent` has none) when
  // there is a view; without one the node keeps no row.
  static void AddRow(TCustomTreeView* view, const CItemNode& parent, CItemNode& node);

  // The order of sibling rows: categories by ascending id; history clips by descending id
  // (newest first); everything else by quick number. Never 0 but for rows without data.
  static int CompareNodes(const void* dataA, const void* dataB);

  std::map<unsigned int, std::unique_ptr<CItemNode>> children;
  unsigned int id = 0;
  TTreeNode* treeNode = nullptr;  // owned by the view
  std::u16string caption;         // category name, or the first 200 units of a clip's text
  unsigned int count = 0;         // category: direct child nodes; clip: its textLength
  bool marked = false;
  bool isCategory = false;
  unsigned int categoryId = 0;
  bool inHistory = false;
  double created = 0;
  std::unique_ptr<TBitmap> thumbnail;  // picture clips: 22 pixels high, 24 bits
  int skinRow = 0;
  int iconIndex = 0;
  int indent = 0;
  int quickNumber = 0;
  std::uint16_t hotKey = 0;
  int siblingIndex = 0;  // rows before this node's row under the same parent, in sorted order
};
