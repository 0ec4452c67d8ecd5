#pragma once
// CItemNode: a node of the category tree mirror, one per visible category and one per clip
// that its category's rows reach or may soon reach (CClipboardHandler::RowPage): a history
// of 100,000 clips has nodes for its first pages only. Each node owns its child nodes and,
// through the view, one row whose data is the node when its category's page holds it; every
// row is drawn from the node's fields. A rebuild marks the nodes it confirms, adds new ones, and
// prunes the rest with their rows, so rows that stay keep their expansion and selection.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "categories/clip_thumbnail.h"
#include "categories/tree_view.h"
#include "foundation/bitmap.h"

class CItemNode {
 public:
  CItemNode() = default;
  // Takes the subtree apart level by level: a damaged file can nest categories thousands
  // deep, too deep for destructors that call each other.
  ~CItemNode();
  CItemNode(const CItemNode&) = delete;
  CItemNode& operator=(const CItemNode&) = delete;

  // The child with that id, marked, and true; or a new cleared child stored under that id,
  // not marked, and false (the caller fills it in).
  std::pair<CItemNode*, bool> FindOrAddChild(unsigned int childId);

  // The marked category node with that id below this one: a direct child is looked at
  // before the subtrees, which are searched in ascending id order, each in the same way;
  // none when the first category found with that id is not marked. Only category nodes are
  // found: a damaged file can give a clip a category id in the range of clip ids.
  CItemNode* FindMarkedNode(unsigned int nodeId);

  // Unmarks this node and every node below it.
  void ClearMarks();

  // Removes, bottom-up, every unmarked node left without children, deleting its row from
  // `view` (when there is one).
  void PruneUnmarked(TCustomTreeView* view);

  // For category nodes, throughout the subtree: `clipCount` = the sub-category nodes and
  // `storedClips`.
  void UpdateCounts();

  // Destroys every child and resets every field. Rows are left to their view.
  void Clear();

  // The rows before this node's row under the same parent, in the view's order (0 for the
  // root). Looked up in the parent's `order`, so `order` must be up to date.
  int RowsBefore() const;
  // Where `child` belongs in `order`: the first place whose node the view puts after it.
  std::deque<CItemNode*>::iterator OrderPlace(const CItemNode& child);

  // Appends `node`'s row below `parent`'s (at the top level when `parent` has none) when
  // there is a view; without one the node keeps no row.
  static void AddRow(TCustomTreeView* view, const CItemNode& parent, CItemNode& node);

  // The order of sibling rows: categories by ascending id; history clips by rank (as the
  // list holds them, newest first); everything else by quick number. Never 0 but for rows
  // without data.
  static int CompareNodes(const void* dataA, const void* dataB);

  // Every child in the view's order, whether it has a row or not: set by every full rebuild
  // and kept by the changes made between them. Categories come first, each with its row;
  // of the clips after them only the first `clipRowLimit` have rows (rows on demand).
  // Made at its first change: an empty deque holds over half a kilobyte, and a clip's node,
  // which has no children, keeps none.
  std::deque<CItemNode*>& Order();
  const std::deque<CItemNode*>& Order() const;

  std::map<unsigned int, std::unique_ptr<CItemNode>> children;
  std::size_t subCategories = 0;  // the categories at the head of `order`
  // Categories: how many of their clips may have rows, a whole number of pages; 0 until the
  // handler first lays the category's rows.
  std::size_t clipRowLimit = 0;
  CItemNode* parent = nullptr;  // the node whose `children` hold this one
  unsigned int id = 0;
  TTreeNode* treeNode = nullptr;  // owned by the view
  // A category's name, or the first 200 units of a clip's text. A clip's is made only once
  // the clip has a row (`captionDue` until then): with rows on demand most clips never do.
  std::u16string caption;
  // Categories: the sub-categories and the clips in it, or under a search the clips found in
  // it and below.
  unsigned int clipCount = 0;
  // Categories outside a search: the clips in it, with a node or not. The clip nodes are
  // always the first of them in the view's order.
  std::size_t storedClips = 0;
  unsigned int textLength = 0;  // clips: the clip's textLength (UTF-16 units)
  bool marked = false;
  bool captionDue = false;  // clips: `caption` is not made yet
  bool isCategory = false;
  unsigned int categoryId = 0;
  bool inHistory = false;
  double created = 0;
  CClipThumbnail thumbnail;  // picture clips: 22 pixels high at 96 dpi, 24 bits
  int pictureWidth = 0;      // picture clips: the picture's own size in pixels
  int pictureHeight = 0;
  int clipKind = 0;  // clips: the clip's kind (store/base_item.h)
  int skinRow = 0;
  int iconIndex = 0;
  int indent = 0;
  // Quick-paste position in its category's clips; history clips past the tenth carry 0,
  // since their order is their ids and only 1 to 10 are shown.
  int quickNumber = 0;
  std::uint16_t hotKey = 0;
  std::uint32_t edition = 0;  // clips: the clip's edition that the caption was made from
  // History clips: where the clip stands in the list, smaller nearer the head. Set by every
  // full reconcile; between two, a clip that came at the head or the tail gets one below or
  // above all the others, so that no other row needs a new one.
  std::int64_t rank = 0;

 private:
  std::unique_ptr<std::deque<CItemNode*>> order_;
};
