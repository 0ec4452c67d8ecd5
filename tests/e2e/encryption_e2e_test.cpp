// Clips encrypted on disk, end to end: protected by the Windows account, no file of the data
// folder ever holds a copied text, and the clips come back after a restart and after a hard
// kill; protected by a password, the program asks for it before the load, asks again after a
// wrong one, and after Cancel never saves over the locked file; turned on in the settings
// while the program runs, no plain copy is left behind.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/window/win32/main_window_messages.h"
#include "dialogs/win32/form_settings_controls.h"
#include "dialogs/win32/new_password_form.h"
#include "foundation/file_error.h"
#include "foundation/settings_keys.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"
#include "store/encrypted/unlock.h"
#include "store/text_item.h"
#include "tests/e2e/data_folder_scan.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/stored_clips.h"

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kDialogTimeout{20000};
constexpr wchar_t kLockedTitle[] = L"Quillery's clips are locked";

std::vector<char> BytesOfFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Types `text` into whatever has the keyboard, one character at a time.
void TypeText(std::u16string_view text) {
  for (char16_t unit : text) {
    INPUT input[2] = {};
    for (INPUT& key : input) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = unit;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpFor(milliseconds(20));
  }
}

class EncryptionE2eTest : public ProgramTest {
 protected:
  void UseEncryption(int mode) {
    installation.SetSetting(Settings::kPrivacySection, Settings::kEncryptClips, mode);
  }

  // Both texts are in none of the data folder's files.
  ::testing::AssertionResult NoFileHolds(const std::vector<std::u16string>& texts) {
    for (const std::u16string& text : texts) {
      const auto holding = FilesHolding(installation.DataFolder(), text);
      if (!holding.empty()) {
        return ::testing::AssertionFailure()
               << holding.front().string() << " holds " << ::testing::PrintToString(text);
      }
    }
    return ::testing::AssertionSuccess();
  }

  std::filesystem::path Journal() const { return installation.DataFolder() / "data.dat.journal"; }
};

TEST_F(EncryptionE2eTest, UnderTheAccountNoFileEverHoldsACopyAndARestartPastesTheOlder) {
  UseEncryption(1);
  const std::vector<std::u16string> copies = {u"sealed copy older", u"sealed copy newer"};
  {
    auto program = Start();
    ASSERT_TRUE(program);
    for (const auto& text : copies) ASSERT_TRUE(CopyAndWait(*program, text));
    ASSERT_TRUE(driver.Clear());
    // Journaled within a moment, then saved whole once the copies are a few seconds old.
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(Journal()); }));
    EXPECT_TRUE(NoFileHolds(copies));
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(installation.DataFile()); },
                          milliseconds(20000)));
    EXPECT_TRUE(NoFileHolds(copies));
    ASSERT_TRUE(program->Close());
  }
  EXPECT_TRUE(NoFileHolds(copies));

  auto again = Start();
  ASSERT_TRUE(again);
  CKeystrokeTarget target;
  ASSERT_TRUE(target.TakeFocus());
  TypeChord({VK_CONTROL, '2'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == copies[0]; }))
      << ::testing::PrintToString(target.Text());
  ASSERT_TRUE(again->Close());
  EXPECT_TRUE(NoFileHolds(copies));
}

TEST_F(EncryptionE2eTest, UnderTheAccountAHardKillLosesNothing) {
  UseEncryption(1);
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"sealed before the kill 1"));
  ASSERT_TRUE(CopyAndWait(*program, u"sealed before the kill 2"));
  Sleep(1000);
  ASSERT_TRUE(program->Kill());
  ASSERT_TRUE(driver.Clear());  // so that the next start captures nothing
  EXPECT_TRUE(NoFileHolds({u"sealed before the kill 1", u"sealed before the kill 2"}));

  auto again = Start();
  ASSERT_TRUE(again);
  EXPECT_GE(again->TreeRowCount(), 3) << "the history with both clips";
  ASSERT_TRUE(again->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(
      ClipTexts(*saved, kHistoryCategoryId),
      (std::vector<std::u16string>{u"sealed before the kill 2", u"sealed before the kill 1"}));
}

class PasswordE2eTest : public EncryptionE2eTest {
 protected:
  void SetUp() override {
    UseEncryption(2);
    CDataBase store;
    auto clip = std::make_unique<CTextItem>();
    clip->text = u"behind the password";
    clip->textLength = static_cast<int>(clip->text.size());
    clip->categoryId = kHistoryCategoryId;
    store.AppendClip(std::move(clip));
    const CStoreKey key = CStoreKey::NewForPassword(u"Ключ 7");
    std::filesystem::create_directories(installation.DataFolder());
    store.SaveToFile(installation.DataFile(), &key);
    locked = BytesOfFile(installation.DataFile());
  }

  HWND WaitForLockedDialog(CRunningProgram& program) {
    return program.WaitForWindow(L"#32770", kLockedTitle, kDialogTimeout);
  }

  std::vector<char> locked;
};

TEST_F(PasswordE2eTest, AWrongPasswordAsksAgainAndTheRightOneOpensTheClips) {
  CRunningProgram program(installation.Program());
  ASSERT_TRUE(program.Started());
  HWND dialog = WaitForLockedDialog(program);
  ASSERT_NE(dialog, nullptr) << "no password dialog";
  SetForegroundWindow(dialog);
  TypeText(u"wrong");
  TypeChord({VK_RETURN});
  ASSERT_TRUE(PumpUntil([&] {
    dialog = FindProcessWindow(program.ProcessId(), L"#32770", kLockedTitle);
    return dialog != nullptr && ChildTexts(dialog).find(u"does not open") != std::u16string::npos;
  })) << "the dialog did not ask again";
  SetForegroundWindow(dialog);
  TypeText(u"Ключ 7");
  TypeChord({VK_RETURN});
  ASSERT_NE(program.WaitForMainWindow(), nullptr);
  EXPECT_GE(program.TreeRowCount(), 2) << "the history with its clip";
  ASSERT_TRUE(program.Close());
  const auto header = ReadEncryptedHeader(installation.DataFile());
  ASSERT_TRUE(header);
  std::optional<CStoreKey> key;
  ASSERT_EQ(Unlock(*header, u"Ключ 7", &key), EUnlock::kUnlocked) << "saved with the same key";
  CDataBase saved;
  ASSERT_TRUE(saved.LoadFromFile(installation.DataFile(), &*key));
  EXPECT_EQ(ClipTexts(saved, kHistoryCategoryId),
            std::vector<std::u16string>{u"behind the password"});
}

TEST_F(PasswordE2eTest, AfterCancelTheProgramCapturesButNeverSavesOverTheLockedFile) {
  CRunningProgram program(installation.Program());
  ASSERT_TRUE(program.Started());
  HWND dialog = WaitForLockedDialog(program);
  ASSERT_NE(dialog, nullptr) << "no password dialog";
  SetForegroundWindow(dialog);
  PumpFor(milliseconds(500));  // the edit has the keyboard
  TypeChord({VK_ESCAPE});
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); })) << "Escape did not cancel";
  // Told once, in plain words.
  HWND notice = program.WaitForWindow(L"#32770", L"Quillery", kDialogTimeout);
  ASSERT_NE(notice, nullptr) << "nothing said about the locked clips";
  EXPECT_NE(ChildTexts(notice).find(u"locked"), std::u16string::npos);
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  ASSERT_NE(program.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(CopyAndWait(program, u"copied while locked"));
  PumpFor(milliseconds(6000));  // past the automatic save
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(BytesOfFile(installation.DataFile()), locked);
  EXPECT_FALSE(std::filesystem::exists(Journal()));
}

// The settings dialog's control `id`, wherever on its pages it lies.
HWND SettingsControl(HWND dialog, int id) {
  struct CSearch {
    int id;
    HWND found = nullptr;
  } search{id};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM context) {
        auto* wanted = reinterpret_cast<CSearch*>(context);
        if (GetDlgCtrlID(child) != wanted->id) return TRUE;
        wanted->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(EncryptionE2eTest, APasswordChosenInTheSettingsHasTheFilesWrittenAnewSealedAtOnce) {
  auto program = Start();
  ASSERT_TRUE(program);
  const std::vector<std::u16string> copies = {u"copied in plain 1", u"copied in plain 2"};
  for (const auto& text : copies) ASSERT_TRUE(CopyAndWait(*program, text));
  ASSERT_TRUE(driver.Clear());
  ASSERT_TRUE(PumpUntil([&] {
    return !FilesHolding(installation.DataFolder(), copies[1]).empty();
  })) << "the plain journal was not written";

  // The dialogs are modal in the program: every click is posted, so that this thread goes on.
  PostMessageW(program->MainWindow(), WM_COMMAND, kCommandSettings, 0);
  HWND settings = program->WaitForWindow(L"#32770", L"Settings", kDialogTimeout);
  ASSERT_NE(settings, nullptr) << "no settings dialog";
  HWND passwordMode = nullptr;  // once the dialog has made its pages
  ASSERT_TRUE(PumpUntil([&] {
    passwordMode = SettingsControl(settings, kIdEncryptPassword);
    return passwordMode != nullptr && IsWindowVisible(settings);
  })) << "no password protection offered";
  PostMessageW(passwordMode, BM_CLICK, 0, 0);
  HWND choose = program->WaitForWindow(L"#32770", L"Choose a password", kDialogTimeout);
  ASSERT_NE(choose, nullptr) << "no new-password dialog";
  // The dialog is found as soon as it exists: its edits come a moment later.
  ASSERT_TRUE(PumpUntil([&] {
    return GetDlgItem(choose, kIdRepeatPassword) != nullptr && IsWindowVisible(choose);
  })) << "the new-password dialog has no edits";
  for (int id : {kIdNewPassword, kIdRepeatPassword}) {
    SendMessageW(GetDlgItem(choose, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Schlüssel 9"));
  }
  // OK acts once both entries are the same.
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(GetDlgItem(choose, IDOK)) != FALSE; }))
      << "OK stayed disabled";
  PostMessageW(GetDlgItem(choose, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(choose); })) << "the password was not taken";
  PostMessageW(SettingsControl(settings, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(settings); }));

  // Both files anew, without waiting for the next automatic save or the exit.
  const auto sealed = [&]() -> ::testing::AssertionResult {
    std::optional<CEncryptedHeader> header;
    try {
      header = ReadEncryptedHeader(installation.DataFile());
    } catch (const CFileError& error) {
      // The program is replacing the file just then: asked again.
      return ::testing::AssertionFailure() << "the data file could not be read: " << error.what();
    }
    if (!header || header->mode != EEncryption::kPassword) {
      return ::testing::AssertionFailure() << "the data file is not sealed with the password";
    }
    return NoFileHolds(copies);
  };
  // Asked four times a second, not at every turn of the loop: a read that holds the data file
  // just as the program replaces it makes that save fail and wait a minute for its next try.
  for (int i = 0; i < 40 && !sealed(); ++i) PumpFor(milliseconds(250));
  EXPECT_TRUE(sealed()) << "a plain copy is left behind";
  ASSERT_TRUE(CopyAndWait(*program, u"copied once sealed"));
  ASSERT_TRUE(program->Close());
  EXPECT_TRUE(NoFileHolds({copies[0], copies[1], u"copied once sealed"}));
  const auto header = ReadEncryptedHeader(installation.DataFile());
  ASSERT_TRUE(header);
  std::optional<CStoreKey> key;
  ASSERT_EQ(Unlock(*header, u"Schlüssel 9", &key), EUnlock::kUnlocked);
  CDataBase saved;
  ASSERT_TRUE(saved.LoadFromFile(installation.DataFile(), &*key));
  EXPECT_EQ(ClipTexts(saved, kHistoryCategoryId),
            (std::vector<std::u16string>{u"copied once sealed", copies[1], copies[0]}));
}

}  // namespace
