// The installer of dist/ in a fresh Wine prefix (scripts/package-test.sh), seen as a user and
// as Windows see it: what a silent install puts in place, the installed program capturing
// into the application-data folder, an install over a running copy, what a silent uninstall
// removes and keeps, and an uninstall that deletes the user's data too. The cases run in
// order on one prefix, each from the state the one before left; QUILLERY_SETUP names the
// setup program.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell/product_info.h"
#include "app/window/win32/main_window_ids.h"
#include "app/window/win32/single_instance.h"
#include "foundation/day_count.h"
#include "foundation/ini_file.h"
#include "foundation/logon_start.h"
#include "foundation/registry.h"
#include "foundation/settings_keys.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/file_version.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/logon_start_guard.h"
// After windows_api.h, which decides how <windows.h> is included.
#include <objbase.h>
#include <shobjidl.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The exit codes of "quillery.exe /close".
constexpr DWORD kNoneRunning = static_cast<DWORD>(ECloseResult::kNoneRunning);
constexpr DWORD kClosed = static_cast<DWORD>(ECloseResult::kClosed);

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillery";

std::u16string Wide(const char* text) {
  const std::string narrow(text);
  return {narrow.begin(), narrow.end()};
}

fs::path KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return {};
  return fs::path(path);
}

fs::path InstallFolder() {
  return KnownFolder(CSIDL_LOCAL_APPDATA) / "Programs" / "Quillery";
}
fs::path InstalledProgram() {
  return InstallFolder() / "quillery.exe";
}
fs::path Uninstaller() {
  return InstallFolder() / "uninstall.exe";
}
fs::path Shortcut() {
  return KnownFolder(CSIDL_PROGRAMS) / "Quillery.lnk";
}
// The data folder of a copy without a "Data" folder beside it (foundation/data_paths.h).
fs::path UserDataFolder() {
  return KnownFolder(CSIDL_APPDATA) / "Brontel" / "Quillery Pro";
}
fs::path DataFile() {
  return UserDataFolder() / "data.dat";
}

std::u16string Quoted(const fs::path& path) {
  return u"\"" + path.u16string() + u"\"";
}

fs::path SetupProgram() {
  const char* setup = std::getenv("QUILLERY_SETUP");
  return setup != nullptr ? fs::path(setup) : fs::path();
}

// A text value of the list entry; nullopt when it or the entry is missing.
std::optional<std::u16string> EntryText(const char* name) {
  try {
    TRegistry registry;
    registry.OpenKey(kUninstallKey, false);
    return registry.ReadString(name);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

std::optional<int> EntryNumber(const char* name) {
  try {
    TRegistry registry;
    registry.OpenKey(kUninstallKey, false);
    return registry.ReadInteger(name);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

// The program a shell link starts.
fs::path ShortcutTarget(const fs::path& link) {
  IShellLinkW* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shellLink)))) {
    return {};
  }
  fs::path target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
        SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  shellLink->Release();
  return target;
}

// The main windows of running copies, in any process.
std::vector<HWND> MainWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (std::wstring_view(className) == kMainWindowClass) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<std::u16string> StoredHistory() {
  const auto saved = LoadDataFile(DataFile());
  return saved ? ClipTexts(*saved, kHistoryCategoryId) : std::vector<std::u16string>{};
}

// The installed copy's settings file as the installer left it.
int StoredSetting(std::string_view section, std::string_view key) {
  return TIniFile(UserDataFolder() / "quillery.ini").ReadInteger(section, key, -1);
}

bool Contains(const std::vector<std::u16string>& texts, std::u16string_view text) {
  for (const auto& t : texts) {
    if (t == text) return true;
  }
  return false;
}

class PackageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  static void TearDownTestSuite() { CoUninitialize(); }

  void SetUp() override {
    ASSERT_FALSE(SetupProgram().empty()) << "QUILLERY_SETUP names no setup program";
    ASSERT_TRUE(fs::exists(SetupProgram())) << SetupProgram().string();
  }

  // The first start of an installed copy opens the settings dialog and may ask about
  // updates; a settings file that has seen a start keeps both away.
  static void SkipFirstRunQuestions() {
    fs::create_directories(UserDataFolder());
    TIniFile ini(UserDataFolder() / "quillery.ini");
    ini.WriteInteger(Settings::kSectionMain, Settings::kFirstLaunch, 0);
    ini.WriteInteger(Settings::kSectionMain, Settings::kLastUpdatesCheck,
                     static_cast<int>(std::trunc(CurrentDayCount())));
  }

  ::testing::AssertionResult CopyAndWait(const CRunningProgram& program,
                                         const std::u16string& text) {
    if (!driver.CopyText(text)) return ::testing::AssertionFailure() << "the copy failed";
    if (!program.WaitForHeader(text)) {
      return ::testing::AssertionFailure() << "the header never showed the copy";
    }
    return ::testing::AssertionSuccess();
  }

  CClipboardDriver driver;
};

TEST_F(PackageTest, ASilentInstallPutsProgramShortcutEntryAndLogonStartInPlace) {
  ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);

  EXPECT_TRUE(fs::exists(InstalledProgram()));
  EXPECT_TRUE(fs::exists(Uninstaller()));
  EXPECT_EQ(FileVersionText(InstalledProgram(), L"ProductVersion"), Wide(kVersionText));

  ASSERT_TRUE(fs::exists(Shortcut())) << Shortcut().string();
  EXPECT_TRUE(fs::equivalent(ShortcutTarget(Shortcut()), InstalledProgram()));

  EXPECT_EQ(EntryText("DisplayName"), u"Quillery");
  EXPECT_EQ(EntryText("DisplayVersion"), Wide(kVersionText));
  EXPECT_EQ(EntryText("Publisher"), Wide(kPublisherName));
  EXPECT_EQ(EntryText("DisplayIcon"), InstalledProgram().u16string() + u",0");
  EXPECT_EQ(EntryText("UninstallString"), Quoted(Uninstaller()));
  EXPECT_EQ(EntryText("QuietUninstallString"), Quoted(Uninstaller()) + u" /S");
  EXPECT_EQ(EntryText("InstallLocation"), InstallFolder().u16string());
  // In KiB: the program and the uninstaller.
  const auto size = EntryNumber("EstimatedSize");
  ASSERT_TRUE(size);
  EXPECT_GE(*size, static_cast<int>(fs::file_size(InstalledProgram()) / 1024));

  EXPECT_EQ(LogonStartValue(), Quoted(InstalledProgram()));
  EXPECT_TRUE(CLogonStart(InstalledProgram().u16string()).IsOn());
  // Encrypted with the account by default, where the installed program reads its settings;
  // nothing else is set, so the first start is still one.
  EXPECT_EQ(StoredSetting(Settings::kPrivacySection, Settings::kEncryptClips),
            Settings::kEncryptClipsAccount);
  EXPECT_EQ(StoredSetting(Settings::kSectionMain, Settings::kFirstLaunch), -1);
  // An install leaves the user's data alone: there is none yet.
  EXPECT_FALSE(fs::exists(DataFile()));
}

// Wine's start of a session, like a logon, starts what the current user's Run key names.
TEST_F(PackageTest, TheLogonStartStartsTheInstalledProgram) {
  ASSERT_TRUE(fs::exists(InstalledProgram()));
  SkipFirstRunQuestions();
  ASSERT_TRUE(MainWindows().empty());
  ASSERT_EQ(RunToEnd(KnownFolder(CSIDL_SYSTEM) / "wineboot.exe", L""), 0u);
  EXPECT_TRUE(PumpUntil([] { return MainWindows().size() == 1; }, kStartTimeout));
  EXPECT_EQ(RunToEnd(InstalledProgram(), L"/close"), kClosed);
  EXPECT_TRUE(MainWindows().empty());
}

TEST_F(PackageTest, TheInstalledProgramCapturesIntoTheAppDataFolder) {
  ASSERT_TRUE(fs::exists(InstalledProgram()));
  SkipFirstRunQuestions();
  CRunningProgram program(InstalledProgram());
  ASSERT_TRUE(program.Started());
  ASSERT_NE(program.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(CopyAndWait(program, u"copied into the installed program"));
  ASSERT_TRUE(program.Close());

  EXPECT_TRUE(Contains(StoredHistory(), u"copied into the installed program"));
  // Nothing is kept beside the program.
  EXPECT_FALSE(fs::exists(InstallFolder() / "Data"));
  EXPECT_FALSE(fs::exists(InstallFolder() / "data.dat"));
}

TEST_F(PackageTest, InstallingOverARunningCopyClosesItKeepsItsDataAndStartsItAgain) {
  ASSERT_TRUE(fs::exists(InstalledProgram()));
  SkipFirstRunQuestions();
  CRunningProgram first(InstalledProgram());
  ASSERT_NE(first.WaitForMainWindow(), nullptr);
  // Only in memory until the copy closes.
  ASSERT_TRUE(CopyAndWait(first, u"copied before the update"));
  // A copy that starts takes what the clipboard holds; empty, it shows only what was kept.
  ASSERT_TRUE(driver.Clear());

  ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);
  EXPECT_TRUE(first.WaitForExit(5s)) << "the first copy still runs";
  // The settings the user had are kept beside the one the install writes.
  EXPECT_EQ(StoredSetting(Settings::kSectionMain, Settings::kFirstLaunch), 0);
  EXPECT_EQ(StoredSetting(Settings::kPrivacySection, Settings::kEncryptClips),
            Settings::kEncryptClipsAccount);
  const std::vector<std::u16string> stored = StoredHistory();
  EXPECT_TRUE(Contains(stored, u"copied before the update"));
  EXPECT_TRUE(Contains(stored, u"copied into the installed program"));

  // Started again by the installer, once.
  ASSERT_TRUE(PumpUntil([] { return MainWindows().size() == 1; }, kStartTimeout));
  PumpFor(2s);
  EXPECT_EQ(MainWindows().size(), 1u);

  // Closed the way the installer does it, the new copy saves what it loaded.
  EXPECT_EQ(RunToEnd(InstalledProgram(), L"/close"), kClosed);
  EXPECT_TRUE(MainWindows().empty());
  EXPECT_EQ(RunToEnd(InstalledProgram(), L"/close"), kNoneRunning);
  EXPECT_EQ(StoredHistory(), stored);
}

TEST_F(PackageTest, ASilentUninstallRemovesAllButTheUsersData) {
  ASSERT_TRUE(fs::exists(Uninstaller()));
  const std::vector<std::u16string> before = StoredHistory();
  ASSERT_FALSE(before.empty());
  SkipFirstRunQuestions();
  CRunningProgram running(InstalledProgram());
  ASSERT_NE(running.WaitForMainWindow(), nullptr);

  // The uninstaller runs on as a copy of itself in the temporary folder and returns first.
  ASSERT_EQ(RunToEnd(Uninstaller(), L"/S"), 0u);
  EXPECT_TRUE(
      PumpUntil([] { return !fs::exists(InstallFolder()) && !EntryText("DisplayName"); }, 60s));
  EXPECT_TRUE(running.WaitForExit(5s)) << "the running copy was not closed";

  EXPECT_FALSE(fs::exists(InstalledProgram()));
  EXPECT_FALSE(fs::exists(Uninstaller()));
  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_FALSE(fs::exists(Shortcut()));
  EXPECT_EQ(EntryText("DisplayName"), std::nullopt);
  EXPECT_EQ(LogonStartValue(), std::nullopt);
  // Clips and settings stay for a later installation.
  EXPECT_EQ(StoredHistory(), before);
  EXPECT_TRUE(fs::exists(UserDataFolder() / "quillery.ini"));
}

// The uninstaller's "Also delete my clips and settings", ticked from the command line.
TEST_F(PackageTest, UninstallingWithDeleteDataAlsoRemovesTheClipsAndSettings) {
  ASSERT_TRUE(fs::exists(UserDataFolder() / "quillery.ini"));
  // A password chosen before is not replaced by the account's key.
  TIniFile(UserDataFolder() / "quillery.ini")
      .WriteInteger(Settings::kPrivacySection, Settings::kEncryptClips,
                    Settings::kEncryptClipsPassword);
  ASSERT_EQ(RunToEnd(SetupProgram(), L"/S"), 0u);
  EXPECT_EQ(StoredSetting(Settings::kPrivacySection, Settings::kEncryptClips),
            Settings::kEncryptClipsPassword);
  ASSERT_TRUE(fs::exists(Uninstaller()));
  ASSERT_EQ(RunToEnd(Uninstaller(), L"/S /DELETEDATA"), 0u);
  // The data goes last, the maker's folder (now empty) after it.
  EXPECT_TRUE(PumpUntil(
      [] { return !fs::exists(InstallFolder()) && !fs::exists(UserDataFolder().parent_path()); },
      60s));
  EXPECT_FALSE(fs::exists(UserDataFolder()));
  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_EQ(LogonStartValue(), std::nullopt);
}

}  // namespace
