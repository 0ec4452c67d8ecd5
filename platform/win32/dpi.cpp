#include "platform/win32/dpi.h"

#include <string>

#include "platform/win32/system_function.h"

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);

constexpr int kEffectiveDpi = 0;      // MDT_EFFECTIVE_DPI
constexpr int kDialogScalingAll = 1;  // DDC_DISABLE_ALL

int DpiOfMonitor(HMONITOR monitor) {
  static const auto getDpiForMonitor =
      SystemFunction<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  if (monitor != nullptr && getDpiForMonitor != nullptr &&
      SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
    return static_cast<int>(x);
  }
  return ScreenDpi();
}

}  // namespace

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

int DpiOfWindow(HWND window) {
  static const auto getDpiForWindow =
      SystemFunction<GetDpiForWindowCall>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int DpiAtPoint(POINT point) {
  return DpiOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

int DpiOfRect(const RECT& rect) {
  return DpiOfMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

int SmallIconSide(int dpi) {
  static const auto getSystemMetricsForDpi =
      SystemFunction<GetSystemMetricsForDpiCall>(L"user32.dll", "GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi != nullptr) {
    const int side = getSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(UsableDpi(dpi)));
    if (side > 0) return side;
  }
  return ScaleToDpi(16, dpi);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      SystemFunction<AdjustWindowRectExForDpiCall>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr &&
      adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(UsableDpi(dpi)))) {
    return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void LeaveDpiScalingToDialog(HWND dialog) {
  static const auto setBehavior =
      SystemFunction<SetDialogDpiChangeBehaviorCall>(L"user32.dll", "SetDialogDpiChangeBehavior");
  if (setBehavior != nullptr) setBehavior(dialog, kDialogScalingAll, kDialogScalingAll);
}

UniqueFont MakeFont(std::wstring_view face, int designHeight, int dpi, bool bold) {
  LOGFONTW font{};
  font.lfHeight = ScaleToDpi(designHeight, dpi);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring name(face.substr(0, LF_FACESIZE - 1));
  name.copy(font.lfFaceName, name.size());
  return UniqueFont(CreateFontIndirectW(&font));
}
