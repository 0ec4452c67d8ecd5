#pragma once
// TAboutBox: the about box, made for each showing, shown modally and released when it
// closes. Its link labels open the product's and the maker's web sites (update_check.h's
// OpenUrl, which tests can replace).

#include "platform/windows_api.h"

// Control ids of the about box (GetDlgItem), for the tests that drive it.
enum EAboutBoxControl : int {
  kIdAboutProductName = 501,
  kIdAboutProductUrl = 502,
  kIdAboutCompanyUrl = 503,
};

// Shows the about box modally, owned by `owner` (may be null), until it is closed.
void ShowAboutBox(HWND owner);
