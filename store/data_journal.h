#pragma once
// The journal beside the data file ("data.dat.journal"): the changes of the store since the
// last full save, appended as they happen, so that a crash, a kill or a power cut loses
// almost nothing. A full save makes it start anew.
//
// File: int32 marker kJournalMarker, int32 version 1, then frames. A frame is uint32 n,
// uint64 CContentDigest of its n payload bytes, the payload. A payload begins with an int32
// entry kind:
//   base        1: uint64 digest of the data file that the entries after it extend
//   insert      2: int32 position, one clip record exactly as the data file holds it,
//                  with the records attached to it (formats, alpha)
//   remove      3: int32 position
//   hot key     4: int32 position, uint16 hotKey
//   categories  5: int32 lastCategoryId, int32 count, that many category records
// Positions count, from the head, the clips that a save writes (not the orphaned ones).
// Reading stops at the first frame cut short (a torn tail, which a crash in the middle of a
// write leaves) or whose digest does not match (damage). Replaying applies the entries
// after the last base that names the data file as it is. Only the places of frames are
// kept while reading, so a streaming reader reads a journal of any size a frame at a time.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "store/database.h"
#include "store/encrypted/journal_source.h"

inline constexpr std::int32_t kJournalMarker = 0x4E52'4A51;  // "QJRN"
inline constexpr std::int32_t kJournalVersion = 1;

// The journal file's first 8 bytes.
std::vector<std::uint8_t> JournalHeader();
// A frame naming the data file of `digest` as the one the frames after it extend.
std::vector<std::uint8_t> JournalBaseFrame(std::uint64_t digest);

// What the journal held for the data file, and what of it was applied.
struct CJournalReplay {
  bool based = false;  // a base named the data file
  int applied = 0;     // entries applied to the store
  // Where the applied frames stand in the journal, [framesBegin, framesEnd): a new journal
  // copies them from there rather than from memory.
  std::uint64_t framesBegin = 0;
  std::uint64_t framesEnd = 0;
  bool torn = false;       // the journal ended in a frame cut short or garbled
  std::string stopReason;  // when an entry could not be applied, why; the rest were not
  // Why the journal could not be read or applied whole (a garbled frame, an entry that
  // could not be applied, a header of another kind); empty for a whole journal or one
  // that only ends in a frame cut short. ASCII text of the reader's own making.
  std::string damage;
};

// Applies to `store`, just loaded from the data file whose CContentDigest is `fileDigest`,
// the entries that the journal in `reader` holds for that file. A journal of another file
// (older or newer) changes nothing. Never reads past the end; damage stops it cleanly.
CJournalReplay ReplayJournal(CByteReader& reader, std::uint64_t fileDigest, CDataBase& store);
// The same from a journal's source, plain or encrypted. Bytes that end early end the
// journal (a whole frame before them still counts); the source's damage is the replay's,
// and a source that ended early or cut short makes the replay torn.
CJournalReplay ReplayJournal(CJournalSource& source, std::uint64_t fileDigest, CDataBase& store);

// CJournalDiff: the frames that take the store, as the journal last described it, to the
// store as it is now. Each change of the clips is an insert, a removal or a new hot key
// (positional, so the store need not keep ids across runs); the categories go whole when
// they changed.
class CJournalDiff {
 public:
  // The journal describes `store` as it is now.
  void Reset(const CDataBase& store);
  // Frames for every change since the last Reset or Changes; empty when there was none.
  // Walks every clip, and so sees a field written past the store's counting too.
  std::vector<std::uint8_t> Changes(const CDataBase& store);
  // The same, from the store's log of the clips that came and went, without walking the
  // list, where the log can tell them: clips added at the head or the tail, clips removed
  // anywhere, no field of a clip noted changed. Otherwise it walks. A field written past
  // the store's counting waits for the next Changes.
  std::vector<std::uint8_t> ChangesFromLog(const CDataBase& store);
  // Whether the last Reset, Changes or ChangesFromLog walked every clip.
  bool Walked() const { return walked_; }

 private:
  struct Clip {
    int id;
    int categoryId;
    std::uint16_t hotKey;
    std::uint32_t edition;
    const CBaseItem* clip;  // valid only while Changes runs
  };
  // The clips a save writes, into `clips` (whose memory is reused).
  static void ClipsOf(const CDataBase& store, std::vector<Clip>& clips);
  static std::vector<std::uint8_t> CategoryBytes(const CDataBase& store);

  // The clips the journal describes, in the store's order.
  std::vector<Clip> clips_;
  std::vector<Clip> now_;  // the store now, while Changes runs
  int idLimit_ = 0;        // every clip added since has an id from here on
  std::vector<std::uint8_t> categories_;
  // Where the store's log and its count of field changes stood at the last look.
  std::uint64_t logPlace_ = 0;
  std::uint64_t fieldChanges_ = 0;
  bool walked_ = false;

  // The categories' frame when they changed; then the journal describes the store as it is.
  void Looked(const CDataBase& store, bool walked, std::vector<std::uint8_t>& frames);
};
