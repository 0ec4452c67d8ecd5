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
