#pragma once
// Small helpers of the Win32 tests of the main window.

#include <cstring>
#include <string>

#include "app/paste/win32/paste_target.h"
#include "platform/windows_api.h"

// Handles this thread's messages for about that long.
inline void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    ProcessWaitingMessages();
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

// Puts `text` on the clipboard as another program would, with `owner` as its owner.
inline bool CopyText(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!placed) GlobalFree(memory);
  CloseClipboard();
  return placed;
}
