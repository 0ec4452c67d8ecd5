#pragma once
// CTreeSearch: type-to-search over the clip tree as the user sees it. The first query
// remembers which categories were unfolded and which row was selected; every query then
// shows the clips it finds, each category that holds them unfolded, and selects the first
// of them; an empty query, or the end of the search, shows the whole tree again as it was.

#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "categories/clipboard_handler.h"

class CTreeSearch {
 public:
  // Filters `handler`'s tree (rebuilt here) by the words of `text`.
  void SetText(CClipboardHandler& handler, std::u16string_view text);
  // A search over a long history goes on a slice at a time (CClipboardHandler::
  // SetSearchSlice): the next slice, the categories it found clips in unfolded, and the
  // first clip found selected while the selection is still the one the search made.
  void Continue(CClipboardHandler& handler);
  // The slices left, all of them.
  void Finish(CClipboardHandler& handler);
  // The whole tree again, as it was before the search; nothing when not filtering.
  void End(CClipboardHandler& handler);

  // A query with words is filtering the tree.
  bool Filtering() const { return remembered_.has_value(); }

  // The first clip row in the view's order, or null.
  static CItemNode* FirstClip(CItemNode& root);

 private:
  struct CRow {
    unsigned int id = 0;
    bool isCategory = false;
  };
  struct CTreeState {
    std::unordered_map<unsigned int, bool> expanded;  // by category id
    std::optional<CRow> selected;
  };

  static CTreeState Remember(CClipboardHandler& handler);
  static void Restore(CClipboardHandler& handler, const CTreeState& state);
  // Unfolds the categories that hold clips found, once each for a query, and selects the
  // first clip found (see Continue).
  void ShowFound(CClipboardHandler& handler, bool newQuery);

  std::optional<CTreeState> remembered_;
  std::unordered_set<unsigned int> unfolded_;  // categories this query unfolded
  std::optional<unsigned int> selectedClip_;   // the clip this query selected, if any
};
