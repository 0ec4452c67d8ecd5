#pragma once
// CClipboardHandler: the one store of the program (a CDataBase) together with the mirror of
// its category tree in the main window's tree view and the map of per-clip hot keys. The
// main window makes it and hands it to the parts that use it (the tree's controller, the
// dialogs, the search); every change of the store is followed by RebuildTree().
//
// The hierarchy: "Clipboard history" (10) and "Quick notes" (11) always come first and have
// no record; user categories (1001 and up) follow by id, a category being shown when its
// chain of parents leads to 0 through existing categories. Clips of a category that is not
// shown become orphaned: hidden, and left out of the data file.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "categories/category_population.h"
#include "categories/clip_change_log.h"
#include "categories/item_node.h"
#include "categories/quick_numbers.h"
#include "categories/tree_view.h"
#include "categories/walk_slice.h"
#include "search/clip_query.h"
#include "search/search_cache.h"
#include "store/database.h"

inline constexpr char16_t kHistoryCaption[] = u"Clipboard history";
inline constexpr char16_t kNotesCaption[] = u"Quick notes";
// The clip rows a category gets at a time: more than any screen shows, few enough that a
// common-controls tree view adds them in a moment.
inline constexpr std::size_t kRowPage = 300;

class CClipboardHandler : public CDataBase {
 public:
  CClipboardHandler() = default;
  // Destroys the mirror and the store; the view's rows stay with the view.
  ~CClipboardHandler() override;

  // Mirrors into `view` (not owned; may be null) and makes the store active with
  // `ownerWindow` as the clipboard owner.
  void AttachTree(TCustomTreeView* view, HWND ownerWindow);

  // Reconciles the mirror and the view with the store; nothing before AttachTree. Work in
  // proportion to what changed since the last rebuild: the clips that came and went (a
  // capture adds a row at its place, may delete one, and renumbers only the first ten
  // history clips);
  // a change of the categories, a hot key set, a load or very many changes at once make it
  // the full reconcile of RebuildTreeFully, whose result it always equals.
  void RebuildTree();
  // The full reconcile: every category and clip of the store confirmed, added or pruned,
  // counted and sorted.
  void RebuildTreeFully();

  // Picture clips' rows show thumbnails `pixels` high (22, the design height at 96 dpi, until
  // told otherwise); the next rebuild makes those of another height anew. Below 1: ignored.
  void SetThumbnailHeight(int pixels);

  // From the next rebuild on, the mirror holds only the clips that `query` finds, in every
  // category, and the categories that hold them (with their parents); the others are
  // hidden. A category's `clipCount` is then the number of clips found in it and its
  // sub-categories. Quick numbers and hot keys stay those of all clips. An empty query
  // shows every clip again, and ends the search: what its queries found is let go. While a query is
  // set every rebuild is a full reconcile.
  void SetSearch(const CClipQuery& query);
  const CClipQuery& Search() const { return search; }
  // The clips that the last rebuild under a query showed.
  int SearchMatches() const { return searchMatches; }
  // How long the rebuild that a new query asks for (SetSearch), and then each
  // ContinueSearch, may walk the clips, and how many it may look at; the clips past that
  // wait for ContinueSearch. Any other rebuild walks them all, as every walk does without
  // limits (as at first). `clips`: at least 1.
  void SetSearchSlice(std::chrono::microseconds time, std::size_t clips = CWalkSlice::kNoClipLimit);
  // Under a query, the walk has clips left to look at: the mirror, the counts and
  // SearchMatches() are of the clips looked at so far, and the hot keys those of the last
  // walk that ended.
  bool SearchUnfinished() const { return !search.Empty() && !searchWalk.done; }
  // Looks at the next slice of clips and shows what it found; starts the walk over when the
  // store changed since it began. Nothing when the walk is done.
  void ContinueSearch();
  // What the search keeps: every text clip's folded text, and while a query is set what the
  // recent queries found.
  const CSearchCache& SearchCache() const { return searchCache; }

  // Gives the first clip with that id the hot key `code` (0 removes it); false if none.
  // Takes effect in the hot-key map at the next rebuild.
  bool SetItemHotKey(int itemId, std::uint16_t code);

  // Puts the clip that the hot key was bound to at the last rebuild on the clipboard.
  bool PutItemByHotKey(std::uint16_t code);

  // Rows on demand: a category's clips have rows, folded or not, for their first page
  // (RowPage() clips in the view's order; folded, a page of rows costs the view little and
  // gives the category its button) and for every page the view has come near since. Nodes
  // too: the clips past those pages have none until the view comes near (the counts, quick
  // numbers and hot keys come from the walk over the store). A capture at the head keeps
  // the category's page boundary: the row pushed past it goes, its node stays.
  // The page, at least 1 (tests and benchmarks use small ones); every category's rows are
  // cut back to one page at the next full reconcile.
  void SetRowPage(std::size_t clips);
  std::size_t RowPage() const { return rowPage; }
  // Every category's rows cut back to its first page at the next full reconcile (a search's
  // every query shows the first clips it finds).
  void ResetRowPages();
  // The clip's node with its row, made with the rows of every clip before it and the rest
  // of its page; null when the mirror has no node for that clip (unknown, orphaned, or not
  // found by the search), or the view refused its row. Under a search a found clip's node
  // is made with its page.
  CItemNode* MakeRowsThrough(int clipId);
  // The next page of rows of `clip`'s category when `clip` stands within half a page of the
  // category's last row; true when rows were made.
  bool MakeRowsNear(const CItemNode& clip);
  // The rows of every clip of `category`.
  void MakeAllRows(CItemNode& category);
  // The rows that the tree's last row as shown needs (End): every clip's of the category
  // whose rows end the tree, going down the unfolded categories that end each level.
  void MakeLastRows();
  // The clip's node, with a row or not; null when the mirror has none (also for a clip
  // beyond its category's pages, until its page is made).
  CItemNode* ClipNode(int clipId);

  CItemNode& Root() { return root; }
  const std::map<unsigned short, unsigned int>& HotKeys() const { return hotKeys; }
  TCustomTreeView* TreeView() const { return treeView; }

 protected:
  void ClipInserted(CBaseItem& clip) override;
  void ClipRemoved(const CBaseItem& clip) override;
  void CategoriesChanged() override;

 private:
  void AddBuiltInCategory(int categoryId, const char16_t* caption, int skinRow);
  // Marks or adds the category nodes that the store's categories give.
  void AddCategoryNodes();
  // Confirms or adds the node of every clip that the search shows (every clip without
  // one), numbering them all and binding the hot keys; under a query, as far as `slice`
  // reaches (WalkClips).
  void AddClipNodes(CWalkSlice slice);
  // Under a query, walks on: the walked clips to look at again, then the list (WalkClips),
  // as far as `slice` reaches.
  void WalkOn(CWalkSlice slice);
  // Walks on from the walk's next clip to the end of the list or of the slice.
  void WalkClips(CWalkSlice slice);
  // Under a query that narrows the one before it, whose walk had not ended: the walk goes on
  // with the clips that one found so far looked at again; false (and nothing done) when
  // there is no such walk or the store changed since.
  bool GoOnNarrowed(CWalkSlice slice);
  // The end of every rebuild: the unconfirmed nodes pruned, the categories counted, the
  // levels ordered and given their rows.
  void ShowConfirmedNodes();
  // Under a query that narrows a remembered one: the nodes of only the clips that it can
  // find (as far as `slice` reaches when they are many), when the store is still as the last
  // walk over every clip left it; false (and nothing done) otherwise. The hot keys and
  // numbers are then those of that walk.
  bool AddFoundClipNodes(CWalkSlice slice);
  // `rank`: the clip's place in the list, for the history's order.
  CItemNode* AddClipNode(CItemNode& category, CBaseItem& clip, int quickNumber, std::int64_t rank);
  // Under a query: counts the walked clip `walked` as found in `category`, and gives it a
  // node while the category's page has room; past it, the clip waits for its page.
  void ShowFoundClip(CItemNode& category, std::size_t walked);
  // Under a query: makes the nodes of the clips found in `category` that wait beyond its
  // nodes, until it has `clips` of them, when the store is as the walk left it.
  void MakeFoundNodes(CItemNode& category, std::size_t clips);
  // Under a query: the node of a found clip that waits for one, made with those of the clips
  // found before it in its category; null for any other clip.
  CItemNode* MakeFoundNodeOf(int clipId);
  // Under a query: how many clips found in `category` wait for a node.
  std::size_t WaitingFoundClips(const CItemNode& category) const;
  // Without a query: makes the nodes of `category`'s clips after its last clip node, in the
  // view's order, until it has `clips` of them or, when `throughClipId` is not 0, until
  // that clip has one; each numbered as the walk over every clip would number it.
  void MakeClipNodes(CItemNode& category, std::size_t clips, int throughClipId = 0);
  // Without a query: the node of a clip beyond its category's nodes, made with those before
  // it; null when it has none.
  CItemNode* MakeClipNodeOf(int clipId);
  // The clips that `category` shows, with nodes or not: all of its clips, or under a query
  // those found in it.
  std::size_t ShownClips(const CItemNode& category) const;
  // How many of `category`'s first clips a full reconcile gives nodes: its rows' pages.
  std::size_t NodePage(const CItemNode& category) const;
  // Puts the children of every category in the view's order (`order`), gives each level the
  // rows of its page (LayRows), and asks the view to sort the levels that have rows.
  void SortLevels();
  // Makes the rows of `category`'s clips that its page holds and deletes those past it,
  // looking at the clips of `order` from the `from`th on.
  void LayRows(CItemNode& category, std::size_t from);
  // Raises the category's page boundary to `clipRows` (a whole number of pages) and makes
  // the rows up to it; nothing when it is there already.
  void GrowRows(CItemNode& category, std::size_t clipRows);
  // A clip node got a row without its clip at hand: its caption is made before the view
  // draws it (MakeDueCaptions).
  void RowMade(const CItemNode& node);
  // Makes the captions that rows made since are due, in one walk over the clips.
  void MakeDueCaptions();
  // Applies the logged changes to the mirror and the view; false when one of them needs the full
  // reconcile (which then also covers those applied).
  bool ApplyChanges();
  bool InsertClipNode(const CClipChange& change);
  bool RemoveClipNode(const CClipChange& change);
  // Gives the first ten history clips in list order the numbers 1 to 10, and 0 to those
  // that had one before; false when a history clip has no node.
  bool NumberHistory();
  // The clip nodes that share one run of quick numbers with clips of `categoryId`.
  std::vector<CItemNode*> NumberedWith(int categoryId);
  CItemNode* CategoryNode(int categoryId) const;
  // Lets go of the folded texts of clips no longer in the store.
  void DropStaleFoldedTexts();
  // Unmarks the categories in which the search found nothing, and gives the others the
  // number of clips found in them and below them.
  void CountSearchMatches();

  CItemNode root;
  std::map<unsigned short, unsigned int> hotKeys;  // key combination to clip id
  TCustomTreeView* treeView = nullptr;
  int thumbnailHeight = 22;
  std::size_t rowPage = kRowPage;

  CClipChangeLog changeLog;
  std::unordered_set<int> captionsDue;  // ids of clips whose rows wait for their captions
  // The category nodes that the last full reconcile confirmed, by id.
  std::unordered_map<unsigned int, CItemNode*> categoryNodes;
  std::vector<unsigned int> numberedHistory;  // ids of the history clips with numbers 1 to 10
  int otherClips = 0;                         // clips of user categories, with nodes or not
  // The lowest and the highest rank that a history clip node has (or had).
  std::int64_t headRank = 0;
  std::int64_t tailRank = 0;

  CClipQuery search;
  int searchMatches = 0;
  CSearchCache searchCache;
  // Under a query, what the last walk over every clip found of the clips that the search
  // may show (those in shown categories), in list order; valid while the store's
  // Revision() is `walkedRevision`.
  struct CWalkedClip {
    int id = 0;
    CBaseItem* clip = nullptr;
    int quickNumber = 0;
    std::int64_t rank = 0;
  };
  std::vector<CWalkedClip> walkedClips;
  std::unordered_map<int, std::size_t> walkedIndex;  // into walkedClips by id; made when needed
  std::optional<std::uint64_t> walkedRevision;
  bool walkedAll = false;  // walkedClips holds every clip: that walk ended
  // Where the walk of the present query stands between its slices: first the walked clips
  // it looks at again (under a narrower query, those a wider one found, or every one), then
  // the list from `next` on to its end.
  struct CSearchWalk {
    bool done = true;
    bool againAll = false;           // again: every walked clip
    std::vector<std::size_t> again;  // again: these, into walkedClips, in the list's order
    std::size_t nextAgain = 0;
    bool listDone = true;  // the list is walked to its end, or is not to be
    ItemList::const_iterator next;
    CQuickNumbering numbering;
    std::int64_t rank = 0;
    std::map<unsigned short, unsigned int> hotKeys;  // in place of `hotKeys` once it ends
    std::vector<std::size_t> found;  // into walkedClips: what the query found, in order
    bool narrowed = false;           // a narrower query goes on with it at the next rebuild
  };
  CSearchWalk searchWalk;
  std::chrono::microseconds sliceTime = CWalkSlice::kNoTimeLimit;
  std::size_t sliceClips = CWalkSlice::kNoClipLimit;
  bool sliceNextWalk = false;  // a new query's rebuild is due
  // Under a query, a category's found clips: only as many have nodes as its rows need, so
  // that a query finding most of a long history makes a page of nodes, not one per clip.
  struct CFoundInCategory {
    std::size_t made = 0;              // the found clips with nodes, the first in the order
    std::vector<std::size_t> waiting;  // into walkedClips: the others, in the order
    std::size_t taken = 0;             // of `waiting`, those that got their nodes since
  };
  std::unordered_map<unsigned int, CFoundInCategory> foundInCategories;  // by category id
};

// The process-wide handler, for the program's own assembly in the main window. CreateHandler
// replaces any earlier one; GetHandler returns it and throws std::logic_error when there is
// none (a programmer error); ReleaseHandler destroys it.
CClipboardHandler& CreateHandler(TCustomTreeView* view, HWND ownerWindow);
CClipboardHandler& GetHandler();
void ReleaseHandler();
