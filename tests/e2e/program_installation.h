#pragma once
// A portable installation of the program under test in a fresh temporary folder: a copy
// of quillery.exe, a "Data" folder beside it (which makes Data\data.dat its data file and
// the exe's folder its settings folder) and its ini file, set up so that the program
// starts without the first-run settings dialog and without the update question. The
// folder goes with the object.

#include <filesystem>
#include <string_view>

#include "tests/support/temp_folder.h"

// quillery.exe of this build, or the one that QUILLERY_E2E_PROGRAM names (a Windows path).
std::filesystem::path ProgramUnderTest();

// Where an installation puts the program and its settings, relative to its temporary folder.
struct CInstallationLayout {
  std::filesystem::path programFolder;   // empty: the temporary folder itself
  bool portable = true;                  // with a "Data" folder beside the program
  std::filesystem::path settingsFolder;  // where the program will look; empty: beside it
};

class CProgramInstallation {
 public:
  // Copies the program into its folder (made when missing) and writes quillery.ini with
  // FirstLaunch=0 and LastUpdatesCheck set to today into the settings folder (made too).
  // Throws std::filesystem::filesystem_error when the copy fails.
  explicit CProgramInstallation(const CInstallationLayout& layout = {});

  // The temporary folder that holds everything.
  const std::filesystem::path& Root() const { return folder_.Path(); }
  const std::filesystem::path& Program() const { return program_; }
  std::filesystem::path DataFile() const;
  std::filesystem::path DataFolder() const;
  std::filesystem::path IniFile() const;

  // Sets or reads a key of section "Main" of the ini file.
  void SetSetting(std::string_view key, int value);
  // Sets a key of another section.
  void SetSetting(std::string_view section, std::string_view key, int value);
  int Setting(std::string_view key, int defaultValue) const;

 private:
  CTempFolder folder_;
  std::filesystem::path program_;
  std::filesystem::path settingsFolder_;
};
