#pragma once
// The one header through which the portable layers reach the system. They call the Win32
// API by its own names; on Windows these are the real functions of <windows.h>, in the
// native build the in-memory model of platform/sim.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// SHGetSpecialFolderPathW; the lean windows.h leaves the shell out.
#include <shlobj.h>
// The system's cryptography (CNG) and data protection; the lean windows.h leaves them out.
#include <bcrypt.h>
#include <wincrypt.h>
#else
#include "platform/sim/sim_windows.h"
#endif

#include <type_traits>

// Clip texts are UTF-16 everywhere (std::u16string); the API's WCHAR is wchar_t on
// Windows and char16_t in the model, both 16-bit code units.
static_assert(sizeof(WCHAR) == sizeof(char16_t));

inline const WCHAR* AsWide(const char16_t* text) {
  return reinterpret_cast<const WCHAR*>(text);
}
inline WCHAR* AsWide(char16_t* text) {
  return reinterpret_cast<WCHAR*>(text);
}
inline const char16_t* AsUtf16(const WCHAR* text) {
  return reinterpret_cast<const char16_t*>(text);
}
