#pragma once
// The two folders the program works in: the data folder (data.dat) and the settings folder
// (the ini file named after the executable). Both are decided afresh at every call:
//
//   1. "U3_APP_DATA_PATH", when it names an existing folder, exactly as it is given;
//   2. else, when the executable's folder holds a "Data" folder (a portable installation),
//      that "Data" folder for the data and the executable's folder for the settings;
//   3. else the application-data folder's "\Brontel\Quillery Pro\", created when missing;
//   4. the executable's folder when the folder chosen cannot be created.
//
// Paths are UTF-16 text, as the system's wide calls give and take them: a folder whose name
// holds characters outside the ANSI code page ("Łukasz", "日本") is found and used like any
// other. Callers join a file name with a backslash ("\data.dat"); a folder that ends in one
// then gives a doubled separator, which the system accepts.

#include <string>
#include <string_view>

// The user's roaming application-data folder without a trailing backslash; empty when the
// system cannot say.
std::u16string AppDataFolder();

// The running executable's full path, and its folder with a trailing backslash.
std::u16string ExeFileName();
std::u16string ExeFolder();

std::u16string DataFolder();
std::u16string SettingsFolder();

// The executable's file name with its extension replaced by ".ini": "Q.exe" gives "Q.ini".
std::u16string IniFileNameFor(std::u16string_view exePath);
// The settings file: the settings folder, a backslash and IniFileNameFor(ExeFileName()).
std::u16string SettingsFileName();

// What the folder rules depend on, so that tests can choose it.
struct CFolderSources {
  std::u16string u3AppDataPath;  // the variable's value, empty when unset
  std::u16string exeFolder;      // with a trailing backslash
  std::u16string appDataFolder;  // AppDataFolder()
};

enum class EWorkFolder { kData, kSettings };

// The folder rules above for the given sources; creates folders as they say.
std::u16string ChooseWorkFolder(EWorkFolder which, const CFolderSources& sources);

// The sources of the running program: its environment, executable and the system.
CFolderSources CurrentFolderSources();

// True for a copy that carries its data with it, and so may run on another computer: the
// first or the second rule above decides its folders (a U3 drive's folder, or a "Data"
// folder beside the executable).
bool IsPortableCopy(const CFolderSources& sources);
// The same for the running program.
bool IsPortableCopy();

// True when `path` names an existing folder.
bool DirectoryExists(const std::u16string& path);
