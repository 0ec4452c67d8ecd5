#include "foundation/environment.h"

#include "platform/windows_api.h"

std::string ReadEnvironmentVariable(std::string_view name) {
  const std::string terminated(name.substr(0, name.find('\0')));
  std::string buffer(kEnvironmentBufferSize, '\0');
  const DWORD length =
      GetEnvironmentVariableA(terminated.c_str(), buffer.data(), kEnvironmentBufferSize);
  // Too long for the buffer, the system reports the size it would need instead.
  if (length == 0 || length >= kEnvironmentBufferSize) return {};
  buffer.resize(length);
  return buffer;
}

std::u16string ReadWideEnvironmentVariable(std::u16string_view name) {
  const std::u16string terminated(name.substr(0, name.find(u'\0')));
  std::u16string buffer(kEnvironmentBufferSize, u'\0');
  const DWORD length = GetEnvironmentVariableW(AsWide(terminated.c_str()), AsWide(buffer.data()),
                                               kEnvironmentBufferSize);
  if (length == 0 || length >= kEnvironmentBufferSize) return {};
  buffer.resize(length);
  return buffer;
}
