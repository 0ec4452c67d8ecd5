#pragma once
// CDataKeeper: how the main window keeps its clips in the data file. The load at the first
// activation, with what the last run journaled after its last save; the automatic save and
// its journal while the program runs; the guard that keeps a damaged or unreadable file
// aside before anything replaces it; and the save at close. Encrypted files are read with
// the keys got before the load (store_unlock.h) and saved with the key of the user's choice.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/autosave/auto_save.h"
#include "app/autosave/data_file_guard.h"
#include "app/window/store_unlock.h"
#include "store/database.h"

class CDataKeeper {
 public:
  explicit CDataKeeper(std::filesystem::path dataFile);

  const std::filesystem::path& DataFile() const { return dataFile_; }

  struct LoadOutcome {
    // The file or the last run's journal was read up to damage: the user is told this,
    // once the window runs.
    std::optional<std::u16string> damagedNotice;
    // The file could not be read: the error to show, with where the file was kept or that
    // nothing will be saved over it until it can be (UTF-8).
    std::optional<std::string> error;
  };
  // Loads `store` from the data file and applies the journal of the run before, if saves
  // may go ahead, with the keys that `keys` holds. Never throws: a file that cannot be read
  // leaves `store` empty and is kept aside (or held from being replaced) as the outcome
  // says. Locked keys load nothing, and nothing is saved in this run: the locked files stay
  // as they are (the outcome's notice says so).
  LoadOutcome Load(CDataBase& store, const CStoreKeys& keys = {});

  // Saves from now on are encrypted with `key` (plain without one).
  void UseSaveKey(std::shared_ptr<const CStoreKey> key);
  // The user chose another protection: the data file and the journal are written anew with
  // `key` at once, off the window's thread (as deleted clips leave the disk).
  void ChangeSaveKey(std::shared_ptr<const CStoreKey> key);
  const CStoreKey* SaveKey() const { return saveKey_.get(); }
  // The files are locked to this run (see Load).
  bool Locked() const { return locked_; }

  // The store as it is now is what the file holds (after the load and the first rebuild).
  void Loaded(const CDataBase& store) { autoSaver_.Reset(store); }
  void MarkChanged() { autoSaver_.MarkChanged(); }
  // After the user deleted or forgot clips: they leave the data file and the journal at
  // once (CAutoSaver::EraseSoon).
  void EraseSoon() { autoSaver_.EraseSoon(); }
  // The 10 ms tick: journals changes and saves when a save is due, unless the file must be
  // kept aside first.
  void Poll(const CDataBase& store, std::uint32_t now);
  // What the user should be told about failing automatic saves, once.
  std::optional<std::u16string> TakeSaveNotice();
  // Ends an automatic save under way without touching the file.
  void Stop() { autoSaver_.Stop(); }
  // The close's save: the whole store replaces the file and the journal goes. Throws
  // CFileError when the file cannot be written, or cannot be kept aside first when it must.
  void Save(CDataBase& store);

 private:
  std::filesystem::path dataFile_;
  CAutoSaver autoSaver_;
  CDataFileGuard guard_;
  std::shared_ptr<const CStoreKey> saveKey_;
  bool locked_ = false;
};
