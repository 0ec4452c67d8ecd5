#pragma once
// The excluded programs' list ("ExcludedPrograms" in section "Privacy") in its text form:
// executable file names without folders, separated by ';'. Parsing is forgiving, because the
// ini file may be edited by hand: it keeps every name it can find, in order, and drops only
// blanks, empty entries, folders and later duplicates.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/name_fold.h"
#include "foundation/settings_storage.h"

// The list of a new installation (the key absent): the common password managers and the
// system's credential prompts, ';'-separated.
inline constexpr std::u16string_view kDefaultExcludedPrograms =
    u"KeePass.exe;KeePassXC.exe;1Password.exe;Bitwarden.exe;Dashlane.exe;NordPass.exe;"
    u"RoboForm.exe;LastPass.exe;Enpass.exe;Keeper.exe;CredentialUIBroker.exe;consent.exe";

// The file name part of a program's path: what follows the last '\', '/' or ':' (a drive),
// without the blanks and quotes around it. "\"C:\Tools\KeePass.exe\"" gives "KeePass.exe".
std::u16string ProgramFileName(std::u16string_view path);

// Whether two program file names are the same, compared as the file system compares names:
// without regard to case, in any script (FoldProgramName, name_fold.h).
bool SameProgramName(std::u16string_view a, std::u16string_view b);

// The names in the stored text: entries separated by ';' or ',', each reduced to its file
// name (ProgramFileName); empty entries and names equal (SameProgramName) to an earlier one
// are dropped; the order is kept. Unknown names are names like any other.
std::vector<std::u16string> ParseProgramList(std::u16string_view text);

// The names joined with ';', as stored. ParseProgramList of the result gives the names back
// when each is a file name without ';' or ','.
std::u16string JoinProgramList(const std::vector<std::u16string>& names);

// The excluded programs as stored, parsed; the default list when the key is absent (an empty
// value is an empty list). Reads the store at this moment.
std::vector<std::u16string> ReadExcludedPrograms(const Settings::CSettingsStorage& store);

// Stores the names, joined. The result and failure are SetText's.
bool StoreExcludedPrograms(Settings::CSettingsStorage& store,
                           const std::vector<std::u16string>& names);
