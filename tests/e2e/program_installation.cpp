#include "tests/e2e/program_installation.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "foundation/day_count.h"
#include "foundation/ini_file.h"
#include "foundation/settings_keys.h"

std::filesystem::path ProgramUnderTest() {
  // Another build's program, to see a new test fail on the program it was written against.
  const char* other = std::getenv("QUILLERY_E2E_PROGRAM");
  std::string path = other != nullptr && *other != '\0' ? other : QUILLERY_PROGRAM_PATH;
  // Cross-built on Linux, the build knows the program by its Unix path; Wine shows the Unix
  // root as drive Z:.
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  return std::filesystem::path(path).make_preferred();
}

CProgramInstallation::CProgramInstallation(const CInstallationLayout& layout)
    : program_(folder_.Path() / layout.programFolder / ProgramUnderTest().filename()),
      settingsFolder_(layout.settingsFolder.empty() ? program_.parent_path()
                                                    : folder_.Path() / layout.settingsFolder) {
  std::filesystem::create_directories(program_.parent_path());
  std::filesystem::copy_file(ProgramUnderTest(), program_);
  if (layout.portable) std::filesystem::create_directory(DataFolder());
  std::filesystem::create_directories(settingsFolder_);
  SetSetting(Settings::kFirstLaunch, 0);
  SetSetting(Settings::kLastUpdatesCheck, static_cast<int>(std::trunc(CurrentDayCount())));
}

std::filesystem::path CProgramInstallation::DataFolder() const {
  return program_.parent_path() / "Data";
}

std::filesystem::path CProgramInstallation::DataFile() const {
  return DataFolder() / "data.dat";
}

std::filesystem::path CProgramInstallation::IniFile() const {
  return settingsFolder_ / std::filesystem::path(program_.filename()).replace_extension(".ini");
}

void CProgramInstallation::SetSetting(std::string_view key, int value) {
  TIniFile(IniFile()).WriteInteger(Settings::kSectionMain, key, value);
}

void CProgramInstallation::SetSetting(std::string_view section, std::string_view key, int value) {
  TIniFile(IniFile()).WriteInteger(section, key, value);
}

int CProgramInstallation::Setting(std::string_view key, int defaultValue) const {
  return TIniFile(IniFile()).ReadInteger(Settings::kSectionMain, key, defaultValue);
}
