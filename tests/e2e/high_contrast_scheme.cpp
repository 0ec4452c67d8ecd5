#include "tests/e2e/high_contrast_scheme.h"

#include <cwchar>

namespace {

constexpr wchar_t kHighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";

// Windows' "High Contrast Black" for the colours the window takes.
constexpr std::array<int, 6> kSchemeIndices = {COLOR_WINDOW,    COLOR_WINDOWTEXT,
                                               COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                               COLOR_GRAYTEXT,  COLOR_BTNFACE};
constexpr std::array<COLORREF, 6> kSchemeColours = {RGB(0, 0, 0),      RGB(255, 255, 255),
                                                    RGB(26, 235, 255), RGB(0, 0, 0),
                                                    RGB(63, 242, 63),  RGB(0, 0, 0)};

}  // namespace

HighContrastScheme::HighContrastScheme() {
  for (size_t i = 0; i < kSchemeIndices.size(); ++i) previous_[i] = GetSysColor(kSchemeIndices[i]);
  DWORD size = sizeof(previousFlags_);
  hadFlags_ = RegGetValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", RRF_RT_REG_SZ, nullptr,
                           previousFlags_, &size) == ERROR_SUCCESS;
  const wchar_t on[] = L"127";
  set_ = SetSysColors(static_cast<int>(kSchemeIndices.size()), kSchemeIndices.data(),
                      kSchemeColours.data()) != FALSE &&
         RegSetKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", REG_SZ, on, sizeof(on)) ==
             ERROR_SUCCESS;
}

HighContrastScheme::~HighContrastScheme() {
  SetSysColors(static_cast<int>(kSchemeIndices.size()), kSchemeIndices.data(), previous_.data());
  if (hadFlags_) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags", REG_SZ, previousFlags_,
                    static_cast<DWORD>((std::wcslen(previousFlags_) + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kHighContrastKey, L"Flags");
  }
}
