#pragma once
// The formats on the clipboard at one moment, asked of the system in one call. A capture
// looks at up to a dozen formats (files, text, pictures, the marks of private content, the
// formatted forms of a text); asked one at a time, each is a round trip to the system, and
// while X11 programs copy in a quick burst under Wine every one of them waits behind the
// burst, so that the capture read a copy later than the one it was told of.

#include <vector>

#include "platform/windows_api.h"

class CClipboardFormatSet {
 public:
  // The formats offered now. Where the system cannot list them, each question goes to
  // the system itself (IsClipboardFormatAvailable).
  static CClipboardFormatSet Now();

  bool Has(UINT format) const;
  // Text in any of its three forms, which the system makes from one another.
  bool HasText() const;

 private:
  bool listed_ = false;
  std::vector<UINT> formats_;
};
