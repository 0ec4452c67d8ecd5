#pragma once
// What user32, shcore and the like offer only on newer systems, looked up at run time so
// that the program still starts where it is missing; null then.

#include "platform/windows_api.h"

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (handle == nullptr) handle = LoadLibraryW(module);
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}
