// Peak memory of the start-up's journal replay (CAutoSaver::RecoverJournal) on a journal
// of any size, in two runs so that the writing does not count:
//   journal_replay_memory write FOLDER MIB churn|grow|hotkeys [TEXT_UNITS]
//       writes FOLDER/data.dat and a journal of at least MIB MiB of that change beside it
//       (inserted texts of TEXT_UNITS UTF-16 units, 512 Ki by default: 1 MiB frames)
//   journal_replay_memory replay FOLDER
//       loads the data file and recovers the journal as the program's start does
// Prints the peak resident size (getrusage's ru_maxrss, the process's VmHWM) before the
// replay, when RecoverJournal returns, and once the journal it rewrites is on disk.
// bench/journal/journal_replay_memory.sh runs both for several sizes.

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/autosave/auto_save.h"
#include "bench/journal/journal_fixture.h"

namespace {

double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // KiB on Linux
}

double MiB(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1 << 20);
}

int Write(const std::filesystem::path& folder, const char* mib, const char* kind,
          const char* textUnits) {
  const auto change = JournalChangeNamed(kind);
  if (!change) return 2;
  const std::uint64_t bytes = std::strtoull(mib, nullptr, 10) << 20;
  const std::size_t units = textUnits ? std::strtoull(textUnits, nullptr, 10) : 512 * 1024;
  std::filesystem::create_directories(folder);
  const CJournalFixture fixture = WriteJournalFixture(folder / "data.dat", bytes, *change, units);
  std::printf("wrote a %s journal of %.0f MiB: %llu changes\n", kind, MiB(fixture.journalBytes),
              static_cast<unsigned long long>(fixture.changes));
  return 0;
}

int Replay(const std::filesystem::path& folder) {
  const std::filesystem::path dataFile = folder / "data.dat";
  std::filesystem::path journal = dataFile;
  journal += ".journal";
  const std::uint64_t journalBytes = std::filesystem::file_size(journal);
  CDataBase store;
  store.LoadFromFile(dataFile);
  const double before = PeakResidentMiB();
  int applied = 0;
  double atReturn = 0;
  {
    CAutoSaver saver(dataFile);
    applied = saver.RecoverJournal(store, store.LastLoad().fileDigest);
    atReturn = PeakResidentMiB();
    if (saver.JournalDamage()) {
      std::fprintf(stderr, "the journal was damaged: %s\n", saver.JournalDamage()->reason.c_str());
      return 1;
    }
    // Leaving waits for the journal's own thread, which rewrites what was applied.
  }
  const double rewritten = PeakResidentMiB();
  std::printf(
      "replayed a journal of %.0f MiB: %d changes applied, %zu clips; peak resident before "
      "%.0f MiB, at return %.0f MiB, journal rewritten %.0f MiB\n",
      MiB(journalBytes), applied, store.Items().size(), before, atReturn, rewritten);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && (argc == 5 || argc == 6)) {
    const int result = Write(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : nullptr);
    if (result != 2) return result;
  } else if (mode == "replay" && argc == 3) {
    return Replay(argv[2]);
  }
  std::fprintf(stderr,
               "usage: journal_replay_memory write FOLDER MIB churn|grow|hotkeys [TEXT_UNITS]\n"
               "       journal_replay_memory replay FOLDER\n");
  return 2;
}
