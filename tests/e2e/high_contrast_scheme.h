#pragma once
// The system's high contrast turned on for a test, as the user would turn it on.

#include <array>

#include "platform/windows_api.h"

// High contrast on for the life of the object, as the system keeps it for the user: the
// "High Contrast Black" colours (SetSysColors, which reach every process of this Wine
// session) and the Accessibility Flags with HCF_HIGHCONTRASTON, since Wine's
// SystemParametersInfo neither takes nor tells the setting. Puts back what was there.
class HighContrastScheme {
 public:
  HighContrastScheme();
  ~HighContrastScheme();
  HighContrastScheme(const HighContrastScheme&) = delete;
  HighContrastScheme& operator=(const HighContrastScheme&) = delete;
  bool Set() const { return set_; }

 private:
  std::array<COLORREF, 6> previous_{};
  wchar_t previousFlags_[16] = {};
  bool hadFlags_ = false;
  bool set_ = false;
};
