#include "app/search/win32/list_search.h"

#include <utility>

CListSearch::CListSearch(HWND window, int fieldId, HWND tree, HFONT font, CListSearchPort& port,
                         std::function<CClipboardHandler&()> handler)
    : tree_(tree),
      port_(port),
      handler_(std::move(handler)),
      field_(window, fieldId, font, *this) {}

void CListSearch::OpenField() {
  if (!port_.HasHandler() || !port_.ListShown()) return;
  if (!open_) {
    open_ = true;
    port_.SearchFieldShown();
  }
  SetFocus(field_.Handle());
}

void CListSearch::Type(wchar_t character) {
  OpenField();
  if (open_) field_.Append(character);
}

void CListSearch::TextChanged() {
  if (!open_ || !port_.HasHandler()) return;
  searchDue_ = true;
  field_.RequestSettle();
}

void CListSearch::SearchNow() {
  if (!searchDue_) return;
  searchDue_ = false;
  field_.CancelSettle();
  if (!open_ || !port_.HasHandler()) return;
  CClipboardHandler& handler = handler_();
  handler.SetSearchSlice(sliceTime_, sliceClips_);
  treeSearch_.SetText(handler, field_.Text());
  Rebuilt();
}

void CListSearch::SearchFieldSettled() {
  if (searchDue_) {
    SearchNow();
  } else if (open_ && port_.HasHandler()) {
    treeSearch_.Continue(handler_());
    Rebuilt();
  }
}

void CListSearch::Rebuilt() {
  if (!port_.HasHandler()) return;
  const CClipboardHandler& handler = handler_();
  // A walk with clips left goes on once the keys typed meanwhile are in and what it found is
  // drawn; until it ends, that nothing matches is not known.
  const bool walking = treeSearch_.Filtering() && handler.SearchUnfinished();
  if (walking) field_.RequestLater();
  port_.ShowNoMatch(treeSearch_.Filtering() && !walking && handler.SearchMatches() == 0);
}

void CListSearch::Close() {
  if (!open_) return;
  open_ = false;  // first: the field's last change is then no query
  searchDue_ = false;
  field_.CancelSettle();
  if (GetFocus() == field_.Handle()) SetFocus(tree_);
  field_.SetText(u"");
  if (port_.HasHandler()) treeSearch_.End(handler_());
  port_.ShowNoMatch(false);
  port_.SearchFieldShown();
}

void CListSearch::Escape() {
  const bool hadQuery = open_ && !field_.Text().empty();
  Close();
  if (!hadQuery) port_.EscapeBeyondSearch();
}

void CListSearch::SearchFieldNavigate(WPARAM key) {
  SearchNow();
  SendMessageW(tree_, WM_KEYDOWN, key, 0);
}

void CListSearch::SearchFieldEnter() {
  // Enter pastes what the whole query finds.
  SearchNow();
  if (open_ && port_.HasHandler()) treeSearch_.Finish(handler_());
  port_.SearchEnter();
}
