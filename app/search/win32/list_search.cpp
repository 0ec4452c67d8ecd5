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
  treeSearch_.SetText(handler_(), field_.Text());
  Rebuilt();
}

void CListSearch::Rebuilt() {
  if (!port_.HasHandler()) return;
  port_.ShowNoMatch(treeSearch_.Filtering() && handler_().SearchMatches() == 0);
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
  SearchNow();  // Enter pastes what the whole query finds
  port_.SearchEnter();
}
