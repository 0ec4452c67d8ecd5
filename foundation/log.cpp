#include "foundation/log.h"

namespace {

std::ostream* logStream = nullptr;

std::string_view ColourOf(std::uint8_t level) {
  switch (level) {
    case 0:
      return "#8f8f8f";
    case 1:
      return "#4f4f4f";
    case 2:
      return "#ffff00";
    case 3:
      return "#ff0000";
    default:
      return "#ffffff";
  }
}

}  // namespace

void LogAttach(std::ostream* stream) {
  logStream = stream;
}

void LogWrite(std::uint8_t level, std::string_view text) {
  if (logStream == nullptr) return;
  *logStream << "<font color=\"" << ColourOf(level) << "\"><b>" << text << "</b></font><br>";
}

void LogInfo(std::string_view text) {
  LogWrite(kLogInformation, text);
}

void LogError(std::string_view text) {
  LogWrite(kLogError, text);
}
