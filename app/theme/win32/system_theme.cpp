#include "app/theme/win32/system_theme.h"

#include <dwmapi.h>
#include <uxtheme.h>

#include <cwchar>
#include <cstdlib>

namespace {

// The attribute's number from Windows 10 20H1 on; older systems refuse it, harmlessly.
constexpr DWORD kUseImmersiveDarkMode = 20;

std::uint32_t SystemColour(int index) {
  const COLORREF colour = GetSysColor(index);
  return std::uint32_t{GetRValue(colour)} << 16 | std::uint32_t{GetGValue(colour)} << 8 |
         GetBValue(colour);
}

// The setting where the system keeps it for the user, which Windows writes whenever high
// contrast is turned on or off. Wine's SystemParametersInfo always answers "off" and takes no
// change, so this is where a user (or a test) of Wine turns it on.
bool HighContrastFlagsOfUser() {
  wchar_t flags[16] = {};
  DWORD size = sizeof(flags);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                   RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS) {
    return false;
  }
  return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool SystemAppsUseDarkTheme() {
  DWORD value = 1;
  DWORD size = sizeof(value);
  const LSTATUS status = RegGetValueW(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
      L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
  return status == ERROR_SUCCESS && value == 0;
}

bool SystemHighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
    return true;
  }
  return HighContrastFlagsOfUser();
}

SystemColours CurrentSystemColours() {
  SystemColours colours;
  colours.window = SystemColour(COLOR_WINDOW);
  colours.windowText = SystemColour(COLOR_WINDOWTEXT);
  colours.highlight = SystemColour(COLOR_HIGHLIGHT);
  colours.highlightText = SystemColour(COLOR_HIGHLIGHTTEXT);
  colours.grayText = SystemColour(COLOR_GRAYTEXT);
  colours.buttonFace = SystemColour(COLOR_BTNFACE);
  colours.buttonShadow = SystemColour(COLOR_BTNSHADOW);
  colours.infoBackground = SystemColour(COLOR_INFOBK);
  colours.infoText = SystemColour(COLOR_INFOTEXT);
  return colours;
}

bool IsSystemLookChange(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE || message == WM_THEMECHANGED) return true;
  if (message != WM_SETTINGCHANGE) return false;
  if (wParam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return area != nullptr && std::wcscmp(area, L"ImmersiveColorSet") == 0;
}

void ApplyLookToWindow(HWND window, HWND scrolled, EThemeLook look) {
  const BOOL dark = look == EThemeLook::kDark ? TRUE : FALSE;
  DwmSetWindowAttribute(window, kUseImmersiveDarkMode, &dark, sizeof(dark));
  if (scrolled != nullptr) SetWindowTheme(scrolled, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}
