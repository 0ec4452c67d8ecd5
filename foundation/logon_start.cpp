#include "foundation/logon_start.h"

#include "foundation/data_paths.h"
#include "foundation/log.h"
#include "foundation/registry.h"

namespace {

char16_t Folded(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c == u'/') return u'\\';
  return c;
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::u16string LogonStartCommand(std::u16string_view exePath) {
  return u"\"" + std::u16string(exePath) + u"\"";
}

bool CommandStartsProgram(std::u16string_view command, std::u16string_view exePath) {
  command = Trimmed(command);
  if (exePath.empty()) return false;
  if (!command.empty() && command.front() == u'"') {
    const std::size_t close = command.find(u'"', 1);
    if (close == std::u16string_view::npos) return false;
    return SamePath(command.substr(1, close - 1), exePath);
  }
  if (command.size() < exePath.size()) return false;
  if (command.size() > exePath.size() && command[exePath.size()] != u' ') return false;
  return SamePath(command.substr(0, exePath.size()), exePath);
}

CLogonStart CLogonStart::ForRunningProgram() {
  return CLogonStart(ExeFileName());
}

bool CLogonStart::IsOn() const {
  try {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(kRunKeyPath, false);
    if (!registry.ValueExists(kRunValueName)) return false;
    return CommandStartsProgram(registry.ReadString(kRunValueName), exePath_);
  } catch (const ERegistryException& error) {
    // A Run key that does not exist yet is the usual case of "off".
    LogInfo(std::string("[LogonStart] ") + error.what());
    return false;
  }
}

bool CLogonStart::Set(bool on) const {
  if (exePath_.empty()) return false;
  try {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(kRunKeyPath, true);
    if (on) {
      registry.WriteString(kRunValueName, LogonStartCommand(exePath_));
    } else if (registry.ValueExists(kRunValueName) &&
               CommandStartsProgram(registry.ReadString(kRunValueName), exePath_)) {
      registry.DeleteValue(kRunValueName);
    }
    return true;
  } catch (const ERegistryException& error) {
    LogError(std::string("[LogonStart] ") + error.what());
    return false;
  }
}
