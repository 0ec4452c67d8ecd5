#pragma once
// CTreeSearch: type-to-search over the clip tree as the user sees it. The first query
// remembers which categories were unfolded and which row was selected; every query then
// shows the clips it finds, each category that holds them unfolded, and selects the first
// of them; an empty query, or the end of the search, shows the whole tree again as it was.

#include <optional>
#include <string_view>
#include <unordered_map>

#include "categories/clipboard_handler.h"

class CTreeSearch {
 public:
  // Filters `handler`'s tree (rebuilt here) by the words of `text`.
  void SetText(CClipboardHandler& handler, std::u16string_view text);
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

  std::optional<CTreeState> remembered_;
};
