#include "bench/journal/journal_fixture.h"

#include <fstream>
#include <memory>
#include <vector>

#include "foundation/file_error.h"
#include "store/data_journal.h"
#include "store/text_item.h"

namespace {

std::unique_ptr<CTextItem> FixtureText(std::u16string text) {
  auto clip = std::make_unique<CTextItem>();
  clip->categoryId = kHistoryCategoryId;
  clip->text = std::move(text);
  return clip;
}

// The frames of one `change` to `store`, as the running program would journal it.
std::vector<std::uint8_t> FramesOfOneChange(CDataBase& store, EJournalChange change,
                                            std::size_t textUnits) {
  CJournalDiff diff;
  diff.Reset(store);
  if (change == EJournalChange::kHotKeys) {
    store.ClipAt(0)->hotKey = 0x4031;  // Ctrl+1
    return diff.Changes(store);
  }
  std::u16string text(textUnits, u'j');
  store.InsertClipAt(0, FixtureText(std::move(text)));
  std::vector<std::uint8_t> frames = diff.Changes(store);
  if (change == EJournalChange::kChurn) {
    store.RemoveClipAt(0);
    const std::vector<std::uint8_t> removal = diff.Changes(store);
    frames.insert(frames.end(), removal.begin(), removal.end());
  }
  return frames;
}

}  // namespace

std::optional<EJournalChange> JournalChangeNamed(std::string_view name) {
  if (name == "churn") return EJournalChange::kChurn;
  if (name == "grow") return EJournalChange::kGrow;
  if (name == "hotkeys") return EJournalChange::kHotKeys;
  return std::nullopt;
}

CJournalFixture WriteJournalFixture(const std::filesystem::path& dataFile,
                                    std::uint64_t journalBytes, EJournalChange change,
                                    std::size_t textUnits) {
  CDataBase store;
  store.AppendClip(FixtureText(u"in the data file"));
  store.SaveToFile(dataFile);
  // The digest the program names the file by is the loader's.
  CDataBase loaded;
  loaded.LoadFromFile(dataFile);
  const std::uint64_t fileDigest = loaded.LastLoad().fileDigest;

  const std::vector<std::uint8_t> frames = FramesOfOneChange(loaded, change, textUnits);
  const std::uint64_t entriesPerRepeat = change == EJournalChange::kChurn ? 2 : 1;
  std::filesystem::path journalPath = dataFile;
  journalPath += ".journal";
  std::ofstream journal(journalPath, std::ios::binary | std::ios::trunc);
  const auto write = [&](const std::vector<std::uint8_t>& bytes) {
    journal.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
  };
  write(JournalHeader());
  write(JournalBaseFrame(fileDigest));
  CJournalFixture fixture;
  fixture.clipsInFile = 1;
  // Small frames go out in batches, so that writing a gigabyte of them is quick.
  std::vector<std::uint8_t> batch;
  const std::size_t repeatsPerBatch = frames.size() < (1 << 20) ? (1 << 20) / frames.size() : 1;
  for (std::size_t i = 0; i < repeatsPerBatch; ++i)
    batch.insert(batch.end(), frames.begin(), frames.end());
  std::uint64_t written = JournalHeader().size() + JournalBaseFrame(fileDigest).size();
  while (written < journalBytes) {
    const bool whole = journalBytes - written >= batch.size();
    write(whole ? batch : frames);
    written += whole ? batch.size() : frames.size();
    fixture.changes += entriesPerRepeat * (whole ? repeatsPerBatch : 1);
  }
  journal.close();
  if (!journal) throw CFileError("Cannot write the journal", journalPath);
  fixture.journalBytes = written;
  return fixture;
}
