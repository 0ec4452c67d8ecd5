#pragma once
// CClipboardHandler: the one store of the program (a CDataBase) together with the mirror of
// its category tree in the main window's tree view and the map of per-clip hot keys. The
// whole program reaches it through GetHandler(); every change of the store is followed by
// RebuildTree().
//
// The hierarchy: "Clipboard history" (10) and "Quick notes" (11) always come first and have
// no record; user categories (1001 and up) follow by id, a category being shown when its
// chain of parents leads to 0 through existing categories. Clips of a category that is not
// shown become orphaned: hidden, and left out of the data file.

#include <cstdint>
#include <map>

#include "categories/item_node.h"
#include "categories/tree_view.h"
#include "store/database.h"

inline constexpr char16_t kHistoryCaption[] = u"Clipboard history";
inline constexpr char16_t kNotesCaption[] = u"Quick notes";

class CClipboardHandler : public CDataBase {
 public:
  CClipboardHandler() = default;
  // Destroys the mirror and the store; the view's rows stay with the view.
  ~CClipboardHandler() override;

  // Mirrors into `view` (not owned; may be null) and makes the store active with
  // `ownerWindow` as the clipboard owner.
  void AttachTree(TCustomTreeView* view, HWND ownerWindow);

  // Reconciles the mirror and the view with the store; nothing before AttachTree.
  void RebuildTree();

  // Gives the first clip with that id the hot key `code` (0 removes it); false if none.
  // Takes effect in the hot-key map at the next rebuild.
  bool SetItemHotKey(int itemId, std::uint16_t code);

  // Puts the clip that the hot key was bound to at the last rebuild on the clipboard.
  bool PutItemByHotKey(std::uint16_t code);

  CItemNode& Root() { return root; }
  const std::map<unsigned short, unsigned int>& HotKeys() const { return hotKeys; }
  TCustomTreeView* TreeView() const { return treeView; }

 private:
  void AddBuiltInCategory(int categoryId, const char16_t* caption, int skinRow);
  void AddClipNodes();
  // Sorts the rows below `parent` and, recursively, below each of its categories, and
  // numbers each child node by its place among its siblings.
  void SortLevels(CItemNode& parent, bool isRoot);

  CItemNode root;
  std::map<unsigned short, unsigned int> hotKeys;  // key combination to clip id
  TCustomTreeView* treeView = nullptr;
};

// Adds or confirms, below `parent`, a node for every category whose parent is `parentId`
// and, recursively, for theirs, with rows in `view` (when given). With `withIndent` the
// nodes get the main window's indents. The main window's rebuild and the settings dialog's
// categories-only tree both use it.
void PopulateCategories(CDataBase& store, CItemNode& parent, int parentId, TCustomTreeView* view,
                        bool withIndent);

// The process-wide handler. CreateHandler replaces any earlier one; GetHandler makes one
// without a view or owner when there is none; ReleaseHandler destroys it.
CClipboardHandler& CreateHandler(TCustomTreeView* view, HWND ownerWindow);
CClipboardHandler& GetHandler();
void ReleaseHandler();
