#include "app/window/data_keeper.h"

#include <exception>
#include <utility>

#include "app/window/load_notice.h"
#include "foundation/file_error.h"
#include "foundation/utf8_text.h"

CDataKeeper::CDataKeeper(std::filesystem::path dataFile)
    : dataFile_(std::move(dataFile)), autoSaver_(dataFile_), guard_(dataFile_) {}

CDataKeeper::LoadOutcome CDataKeeper::Load(CDataBase& store, const CStoreKeys& keys) {
  LoadOutcome outcome;
  if (keys.locked) {
    locked_ = true;
    outcome.damagedNotice = keys.notice;
    return outcome;
  }
  try {
    store.LoadFromFile(dataFile_, keys.file.get());
    guard_.Loaded(store.LastLoad());
    // What the last run changed after its last save, if it ended without saving. The
    // file's notice is made after it, which counts the file lists it cut too.
    if (guard_.SaveAllowed()) {
      autoSaver_.RecoverJournal(store, store.LastLoad().fileDigest, keys.journal);
    }
    outcome.damagedNotice = DamagedFileNotice(store.LastLoad());
    if (const auto& damage = autoSaver_.JournalDamage()) {
      std::u16string notice = DamagedJournalNotice(*damage);
      if (outcome.damagedNotice) notice = *outcome.damagedNotice + u"\n\n" + notice;
      outcome.damagedNotice = std::move(notice);
    }
  } catch (const std::exception& error) {
    // The store is empty now; saving it would put nothing in the place of the file. Keep
    // the file beside, or save nothing over it until that can be done.
    std::string text = error.what();
    const std::filesystem::path copy = guard_.LoadFailed();
    if (copy.empty()) {
      text += "\n\nQuillery will not save over this file until it can keep a copy of it.";
    } else {
      text += "\n\nThe file is kept as " + Utf8FromUtf16(copy.u16string()) + ".";
    }
    outcome.error = std::move(text);
  }
  return outcome;
}

void CDataKeeper::UseSaveKey(std::shared_ptr<const CStoreKey> key) {
  saveKey_ = std::move(key);
  autoSaver_.UseKey(saveKey_);
}

void CDataKeeper::ChangeSaveKey(std::shared_ptr<const CStoreKey> key) {
  UseSaveKey(std::move(key));
  autoSaver_.EraseSoon();
}

void CDataKeeper::Poll(const CDataBase& store, std::uint32_t now) {
  if (!locked_ && guard_.SaveAllowed()) autoSaver_.Poll(store, now);
}

void CDataKeeper::Save(CDataBase& store) {
  // Told at the start: nothing of this run is saved over the locked files.
  if (locked_) return;
  autoSaver_.Stop();
  if (!guard_.MakeSaveAllowed()) {
    // Told like any file that cannot be written: the window keeps its clips and runs on.
    throw CFileError("Cannot keep a copy of the data file before replacing it", dataFile_);
  }
  store.SaveToFile(dataFile_, saveKey_.get());
  autoSaver_.DiscardJournal();
}

std::optional<std::u16string> CDataKeeper::TakeSaveNotice() {
  std::optional<CSaveTrouble> trouble = autoSaver_.TakeTrouble();
  if (!trouble) return std::nullopt;
  return SaveTroubleNotice(*trouble);
}
