#pragma once
// CListSearch: type-to-search in the main window. A character typed in the open list (or
// Ctrl+F) opens the search field in the header, whose text filters the clip tree; Escape
// clears it, and closing it shows the tree as it was. The window tells it when the list
// folds, the popup goes or a clip is pasted, which all end the search.

#include <chrono>
#include <functional>
#include <memory>

#include "app/search/win32/search_field.h"
#include "categories/tree_search.h"
#include "platform/windows_api.h"

// What the search asks of the window that holds it.
class CListSearchPort {
 public:
  virtual ~CListSearchPort() = default;
  // The clip handler exists (the tree can be filtered), and the list is unfolded (a search
  // can open).
  virtual bool HasHandler() const = 0;
  virtual bool ListShown() const = 0;
  // The field came or went: the header is shown anew (the field, or the caption docked).
  virtual void SearchFieldShown() = 0;
  // Enter in the field: what Enter does in the tree.
  virtual void SearchEnter() = 0;
  // Escape with no query to clear: the popup closes.
  virtual void EscapeBeyondSearch() = 0;
  // The tree says "No clip matches", or not.
  virtual void ShowNoMatch(bool none) = 0;
};

class CListSearch final : private CSearchFieldPort {
 public:
  // How long a search walks the clips before the keys typed meanwhile are taken; it goes on
  // a slice at a time while none come.
  static constexpr std::chrono::microseconds kSearchSlice{3000};

  // Makes the field, hidden, as child `fieldId` of `window`, in `font` (borrowed); keys for
  // the list go to `tree`. All must outlive the search, and `port` too. The search filters
  // the tree of the handler that `handler` gives, asked only while the port HasHandler():
  // the window makes its handler after the search.
  CListSearch(HWND window, int fieldId, HWND tree, HFONT font, CListSearchPort& port,
              std::function<CClipboardHandler&()> handler);

  // A slice of a search's walk other than kSearchSlice, at most `clips` long too (tests).
  void SetSlice(std::chrono::microseconds time, std::size_t clips) {
    sliceTime_ = time;
    sliceClips_ = clips;
  }

  bool FieldOpen() const { return open_; }
  HWND Field() const { return field_.Handle(); }

  // Ctrl+F: opens the field with the keyboard in it.
  void OpenField();
  // A printable character typed in the list: opens the field and adds it to the query.
  void Type(wchar_t character);
  // The field's EN_CHANGE: the tree shows what the query finds once the keys typed meanwhile
  // are in the field too, so that a slow search never holds them back and the newest query
  // wins. Enter, Escape and the arrows in the field search first if one is due.
  void TextChanged();
  // A rebuild under the query (a capture): whether anything matches may have changed.
  void Rebuilt();
  // Ends the search: the field closes and the tree is as it was. Nothing when closed.
  void Close();
  // Escape in the list or the field: clears the query, or goes on to the port.
  void Escape();

 private:
  // CSearchFieldPort
  void SearchFieldNavigate(WPARAM key) override;
  void SearchFieldEnter() override;
  void SearchFieldEscape() override { Escape(); }
  // The keys typed so far are in: the search for them, or the next slice of its walk.
  void SearchFieldSettled() override;

  // Filters the tree by the field's text, if a change is waiting for it.
  void SearchNow();

  HWND tree_;
  CListSearchPort& port_;
  std::function<CClipboardHandler&()> handler_;
  CSearchField field_;
  CTreeSearch treeSearch_;
  std::chrono::microseconds sliceTime_ = kSearchSlice;
  std::size_t sliceClips_ = CWalkSlice::kNoClipLimit;
  bool open_ = false;
  bool searchDue_ = false;  // the text changed since the tree was last filtered by it
};
