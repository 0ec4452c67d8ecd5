#pragma once
// A store saved to its data file with a running journal, as after a start, and a look at
// every byte of the data folder for what was deleted.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "app/autosave/auto_save.h"
#include "foundation/utf8_text.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

class EraseTest : public StoreTest {
 protected:
  EraseTest() {
    CopyTexts({u"kept in the file", u"secret of the file \u00c4\u03a9"});
    store.SaveToFile(DataPath());
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    saver.RecoverJournal(store, loaded.LastLoad().fileDigest);
    saver.Reset(store);
  }

  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }

  // Polls with the clock at `now` until no save runs and the journal has written what it
  // was given and stopped changing. Only its size is looked at: a file held open could not
  // be replaced on Windows.
  void Settle(std::uint32_t now) {
    std::uintmax_t last = 0;
    for (int quiet = 0, i = 0; quiet < 50 && i < 5000; ++i) {
      saver.Poll(store, now);
      std::error_code missing;
      const std::uintmax_t size = std::filesystem::file_size(saver.JournalPath(), missing);
      const bool idle = !saver.Saving() && saver.JournalWritten();
      quiet = idle && !missing && size == last ? quiet + 1 : 0;
      last = size;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(saver.Saving());
    ASSERT_TRUE(saver.JournalWritten());
  }

  // The user deletes these clips, as the window does it.
  void DeleteAndErase(const std::vector<std::u16string>& texts) {
    std::vector<int> ids;
    for (const auto& clip : store.Items()) {
      const auto* item = dynamic_cast<const CTextItem*>(clip.get());
      if (item != nullptr && std::find(texts.begin(), texts.end(), item->text) != texts.end()) {
        ids.push_back(clip->id);
      }
    }
    ASSERT_EQ(store.DeleteItems(ids), static_cast<int>(texts.size()));
    saver.MarkChanged();
    saver.EraseSoon();
  }

  // The names of the data folder's files that hold `text`, in UTF-16 or in UTF-8.
  std::vector<std::string> FilesHolding(const std::u16string& text) const {
    const std::string utf8 = Utf8FromUtf16(text);
    const std::string utf16(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
      if (!entry.is_regular_file()) continue;
      const std::string bytes = FileBytes(entry.path());
      if (bytes.find(utf16) != std::string::npos || bytes.find(utf8) != std::string::npos) {
        names.push_back(entry.path().filename().string());
      }
    }
    return names;
  }

  // What the next start finds: the data file with the journal's changes applied.
  std::vector<std::u16string> NextStartHistory() const {
    CDataBase loaded;
    loaded.LoadFromFile(DataPath());
    CAutoSaver next(DataPath());
    next.RecoverJournal(loaded, loaded.LastLoad().fileDigest);
    return ClipTexts(loaded, kHistoryCategoryId);
  }

  static constexpr char16_t kFileSecret[] = u"secret of the file \u00c4\u03a9";
  static constexpr char16_t kJournalSecret[] = u"secret of the journal \u00df";
  static constexpr char16_t kPassingSecret[] = u"secret that came and went";

  CAutoSaver saver{DataPath()};
};
