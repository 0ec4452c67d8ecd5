#include "store/data_journal.h"

#include <algorithm>
#include <memory>
#include <new>

#include "foundation/byte_writer.h"
#include "foundation/content_digest.h"
#include "foundation/file_error.h"
#include "foundation/picture_error.h"
#include "store/category.h"
#include "store/data_file_format.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/record_error.h"
#include "store/text_item.h"

namespace {

enum EJournalEntry : std::int32_t {
  kBaseEntry = 1,
  kInsertEntry = 2,
  kRemoveEntry = 3,
  kHotKeyEntry = 4,
  kCategoriesEntry = 5,
};

constexpr std::size_t kFrameHeaderBytes = 12;

std::uint64_t DigestOf(std::span<const std::uint8_t> bytes) {
  CContentDigest digest;
  digest.Add(bytes);
  return digest.Value();
}

// Appends `payload` to `out` as one frame.
void AppendFrame(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> payload) {
  CByteWriter header;
  header.WriteUInt32(static_cast<std::uint32_t>(payload.size()));
  const std::uint64_t digest = DigestOf(payload);
  header.WriteUInt32(static_cast<std::uint32_t>(digest));
  header.WriteUInt32(static_cast<std::uint32_t>(digest >> 32));
  out.insert(out.end(), header.Bytes().begin(), header.Bytes().end());
  out.insert(out.end(), payload.begin(), payload.end());
}

// A clip the data file holds: a save leaves out orphaned clips and pictures without pixels.
bool IsSaved(const CBaseItem& clip) {
  if (clip.orphaned) return false;
  if (clip.kind != kPictureKind) return true;
  const auto& image = static_cast<const CImageItem&>(clip);
  return image.HasPicture();
}

// One frame of the journal: its payload, or nothing at the end or at a torn frame.
struct CFrame {
  std::span<const std::uint8_t> payload;
  std::vector<std::uint8_t> bytes;  // the whole frame
};

enum class EFrameRead { kFrame, kEnd, kCutShort, kGarbled };

EFrameRead NextFrame(CByteReader& reader, CFrame* frame) {
  if (reader.AtEnd()) return EFrameRead::kEnd;
  const std::uint8_t* header;
  std::uint32_t size = 0;
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  const std::uint8_t* payload;
  if (!reader.Take(kFrameHeaderBytes, &header)) {
    // A source that ended early right here shortened the reader to this frame's start:
    // the journal ends after a whole frame.
    return reader.AtEnd() ? EFrameRead::kEnd : EFrameRead::kCutShort;
  }
  CByteReader fields(header, kFrameHeaderBytes);
  fields.ReadUInt32(&size);
  fields.ReadUInt32(&low);
  fields.ReadUInt32(&high);
  std::vector<std::uint8_t> bytes(header, header + kFrameHeaderBytes);
  if (!reader.Take(size, &payload)) return EFrameRead::kCutShort;
  if (DigestOf(std::span(payload, size)) != (std::uint64_t{high} << 32 | low)) {
    return EFrameRead::kGarbled;
  }
  bytes.insert(bytes.end(), payload, payload + size);
  frame->bytes = std::move(bytes);
  frame->payload = std::span(frame->bytes).subspan(kFrameHeaderBytes);
  return EFrameRead::kFrame;
}

std::size_t ReadPosition(CByteReader& entry) {
  std::int32_t position;
  if (!entry.ReadInt32(&position) || position < 0) throw CRecordError("bad position");
  return static_cast<std::size_t>(position);
}

// Applies one entry; throws CRecordError or CPictureError when it cannot be.
void Apply(std::span<const std::uint8_t> payload, CDataBase& store) {
  CByteReader entry(payload.data(), payload.size());
  std::int32_t kind;
  if (!entry.ReadInt32(&kind)) throw CRecordError("entry cut short");
  switch (kind) {
    case kBaseEntry:
      return;
    case kInsertEntry: {
      const std::size_t position = ReadPosition(entry);
      std::int32_t recordKind;
      if (!entry.ReadInt32(&recordKind)) throw CRecordError("entry cut short");
      std::unique_ptr<CBaseItem> clip;
      if (recordKind == kTextRecord) {
        clip = std::make_unique<CTextItem>();
      } else if (recordKind == kPictureRecord) {
        clip = std::make_unique<CImageItem>(EPictureRecord::kBmp);
      } else if (recordKind == kPngPictureRecord) {
        clip = std::make_unique<CImageItem>(EPictureRecord::kPng);
      } else if (recordKind == kFileListRecord) {
        clip = std::make_unique<CFileListItem>();
      } else {
        throw CRecordError("unknown clip kind " + std::to_string(recordKind));
      }
      clip->Load(entry);
      if (clip->MissingBytes() != 0) throw CRecordError("picture cut short");
      // The records attached to the clip's, as the data file holds them.
      while (!entry.AtEnd()) {
        std::int32_t attachedKind;
        if (!entry.ReadInt32(&attachedKind) || !clip->LoadAttached(attachedKind, entry)) {
          throw CRecordError("entry longer than its clip");
        }
      }
      const auto* files = dynamic_cast<const CFileListItem*>(clip.get());
      const bool cut = files != nullptr && files->PathsCutAtLoad() != 0;
      if (!store.InsertClipAt(position, std::move(clip))) throw CRecordError("bad position");
      if (cut) store.CountFileListCutAtLoad();
      break;
    }
    case kRemoveEntry:
      if (!store.RemoveClipAt(ReadPosition(entry))) throw CRecordError("bad position");
      break;
    case kHotKeyEntry: {
      CBaseItem* clip = store.ClipAt(ReadPosition(entry));
      std::uint16_t hotKey;
      if (clip == nullptr || !entry.ReadUInt16(&hotKey)) throw CRecordError("bad hot key entry");
      clip->hotKey = hotKey;
      break;
    }
    case kCategoriesEntry: {
      std::int32_t lastCategoryId;
      std::int32_t count;
      if (!entry.ReadInt32(&lastCategoryId) || !entry.ReadInt32(&count) || count < 0) {
        throw CRecordError("bad categories entry");
      }
      std::vector<CCategory> categories;
      for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t recordKind;
        if (!entry.ReadInt32(&recordKind) || recordKind != kCategoryRecord) {
          throw CRecordError("bad category record");
        }
        CCategory category;
        category.Load(entry);
        categories.push_back(std::move(category));
      }
      store.ReplaceCategories(lastCategoryId, categories);
      break;
    }
    default:
      throw CRecordError("unknown entry kind " + std::to_string(kind));
  }
  if (!entry.AtEnd()) throw CRecordError("entry longer than its content");
}

}  // namespace

std::vector<std::uint8_t> JournalHeader() {
  CByteWriter header;
  header.WriteInt32(kJournalMarker);
  header.WriteInt32(kJournalVersion);
  return header.Bytes();
}

std::vector<std::uint8_t> JournalBaseFrame(std::uint64_t digest) {
  CByteWriter payload;
  payload.WriteInt32(kBaseEntry);
  payload.WriteUInt32(static_cast<std::uint32_t>(digest));
  payload.WriteUInt32(static_cast<std::uint32_t>(digest >> 32));
  std::vector<std::uint8_t> frame;
  AppendFrame(frame, payload.Bytes());
  return frame;
}

namespace {

// The replay's body; the file under a streaming reader may throw CFileError.
void ReplayInto(CJournalReplay& replay, CByteReader& reader, std::uint64_t fileDigest,
                CDataBase& store) {
  std::int32_t marker = 0;
  std::int32_t version = 0;
  if (!reader.ReadInt32(&marker) || !reader.ReadInt32(&version) || marker != kJournalMarker ||
      version != kJournalVersion) {
    replay.torn = !reader.AtEnd() || reader.Size() != 0;
    if (reader.Size() >= 8) replay.damage = "not a journal of this version";
    return;
  }
  // First where the frames after the last base that names this file begin, and where the
  // whole frames end: a later save that did not get through leaves a base of its own,
  // whose frames still belong here. Only those two places are kept, so that a journal of
  // any size, of any number of frames, is read a frame at a time.
  const std::vector<std::uint8_t> base = JournalBaseFrame(fileDigest);
  std::uint64_t afterBase = 0;
  std::uint64_t wholeEnd = reader.Position();
  CFrame frame;
  for (std::uint64_t start = reader.Position();; start = reader.Position()) {
    const EFrameRead read = NextFrame(reader, &frame);
    if (read == EFrameRead::kFrame) {
      wholeEnd = reader.Position();
      if (frame.bytes == base) {
        replay.based = true;
        afterBase = wholeEnd;
      }
      continue;
    }
    replay.torn = read != EFrameRead::kEnd;
    // The end cutting a frame short is what a crash in the middle of a write leaves;
    // a frame whose bytes do not match its digest is damage.
    if (read == EFrameRead::kGarbled) {
      replay.damage = "a frame garbled at byte " + std::to_string(start);
    }
    break;
  }
  if (!replay.based) return;
  replay.framesBegin = replay.framesEnd = afterBase;
  reader.Seek(afterBase);
  while (reader.Position() < wholeEnd) {
    const std::uint64_t start = reader.Position();
    if (NextFrame(reader, &frame) != EFrameRead::kFrame) {
      replay.stopReason = "the frame at byte " + std::to_string(start) + " reads differently";
    } else {
      try {
        Apply(frame.payload, store);
      } catch (const CRecordError& error) {
        replay.stopReason = error.what();
      } catch (const CPictureError& error) {
        replay.stopReason = error.what();
      } catch (const std::bad_alloc&) {
        // Each entry changes the store only once it is read whole, so the store stays as
        // the entries before left it.
        replay.stopReason = "not enough memory for an entry";
      }
    }
    if (!replay.stopReason.empty()) {
      replay.damage = "the change at byte " + std::to_string(start) +
                      " could not be applied: " + replay.stopReason;
      break;
    }
    replay.framesEnd = reader.Position();
    ++replay.applied;
  }
}

}  // namespace

CJournalReplay ReplayJournal(CByteReader& reader, std::uint64_t fileDigest, CDataBase& store) {
  CJournalReplay replay;
  try {
    ReplayInto(replay, reader, fileDigest, store);
  } catch (const CFileError& error) {
    // The file under the reader failed: what was applied before stays, and says so.
    replay.damage = error.what();
  }
  return replay;
}

CJournalReplay ReplayJournal(CJournalSource& source, std::uint64_t fileDigest, CDataBase& store) {
  CByteReader reader(source, source.Size());
  CJournalReplay replay = ReplayJournal(reader, fileDigest, store);
  if (source.Torn()) replay.torn = true;
  if (!source.Damage().empty()) {
    replay.torn = true;
    // Damage in the frames comes first: the source's bytes ended after it.
    if (replay.damage.empty()) replay.damage = source.Damage();
  }
  return replay;
}

void CJournalDiff::ClipsOf(const CDataBase& store, std::vector<Clip>& clips) {
  clips.clear();
  clips.reserve(store.Items().size());
  for (const auto& clip : store.Items()) {
    if (IsSaved(*clip))
      clips.push_back({clip->id, clip->categoryId, clip->hotKey, clip->edition, clip.get()});
  }
}

std::vector<std::uint8_t> CJournalDiff::CategoryBytes(const CDataBase& store) {
  CByteWriter bytes;
  bytes.WriteInt32(kCategoriesEntry);
  bytes.WriteInt32(store.LastCategoryId());
  bytes.WriteInt32(static_cast<std::int32_t>(store.Categories().size()));
  for (const auto& category : store.Categories()) category->Save(bytes);
  return bytes.Bytes();
}

void CJournalDiff::Reset(const CDataBase& store) {
  ClipsOf(store, clips_);
  idLimit_ = store.NextItemId();
  categories_ = CategoryBytes(store);
  logPlace_ = store.ClipLog().End();
  fieldChanges_ = store.FieldChanges();
  walked_ = true;
}

void CJournalDiff::Looked(const CDataBase& store, bool walked, std::vector<std::uint8_t>& frames) {
  std::vector<std::uint8_t> categories = CategoryBytes(store);
  if (categories != categories_) {
    AppendFrame(frames, categories);
    categories_ = std::move(categories);
  }
  idLimit_ = store.NextItemId();
  logPlace_ = store.ClipLog().End();
  fieldChanges_ = store.FieldChanges();
  walked_ = walked;
}

std::vector<std::uint8_t> CJournalDiff::Changes(const CDataBase& store) {
  std::vector<std::uint8_t> frames;
  ClipsOf(store, now_);
  const std::vector<Clip>& now = now_;
  // The store never reorders the clips that stay (it inserts, removes, and moves to the
  // tail with a new id), and every clip it adds has an id above all it had before. So one
  // walk over both lists finds every change: a clip with a new id is an insert, a clip of
  // before that the walk passes without meeting is a removal. A clip that changed category
  // or content (its edition) in place counts as removed and inserted again.
  std::vector<bool> stays(now.size(), false);
  std::vector<std::size_t> removed;
  std::size_t before = 0;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].id >= idLimit_) continue;
    while (before < clips_.size() && clips_[before].id != now[i].id) removed.push_back(before++);
    if (before == clips_.size()) continue;  // not met after all: inserted again
    if (clips_[before].categoryId == now[i].categoryId &&
        clips_[before].edition == now[i].edition) {
      stays[i] = true;
    } else {
      removed.push_back(before);
    }
    ++before;
  }
  while (before < clips_.size()) removed.push_back(before++);
  // From the tail, so that each position is still right when its removal is applied.
  for (auto i = removed.rbegin(); i != removed.rend(); ++i) {
    CByteWriter payload;
    payload.WriteInt32(kRemoveEntry);
    payload.WriteInt32(static_cast<std::int32_t>(*i));
    AppendFrame(frames, payload.Bytes());
  }
  before = 0;
  for (std::size_t i = 0; i < now.size(); ++i) {
    const CBaseItem& clip = *now[i].clip;
    CByteWriter payload;
    if (!stays[i]) {
      payload.WriteInt32(kInsertEntry);
      payload.WriteInt32(static_cast<std::int32_t>(i));
      clip.Save(payload);
    } else {
      while (clips_[before].id != now[i].id) ++before;
      if (clips_[before].hotKey == now[i].hotKey) continue;
      payload.WriteInt32(kHotKeyEntry);
      payload.WriteInt32(static_cast<std::int32_t>(i));
      payload.WriteUInt16(now[i].hotKey);
    }
    AppendFrame(frames, payload.Bytes());
  }
  clips_.swap(now_);
  Looked(store, true, frames);
  return frames;
}

std::vector<std::uint8_t> CJournalDiff::ChangesFromLog(const CDataBase& store) {
  const auto log = store.ClipLog().Since(logPlace_);
  // A hot key or an orphaned mark changed in place, or changes the log no longer holds.
  if (!log || store.FieldChanges() != fieldChanges_) return Changes(store);
  // The clips that came since the last look and are still there, at the head (newest
  // first) and at the tail (in the order they came); the clips of before that left.
  std::vector<int> head;
  std::vector<int> tail;
  std::vector<int> left;
  for (const CClipListChange& change : *log) {
    if (change.inserted) {
      if (change.place == CClipListChange::EPlace::kElsewhere) return Changes(store);
      auto& side = change.place == CClipListChange::EPlace::kHead ? head : tail;
      side.push_back(change.id);
      continue;
    }
    // One that came and went leaves no frame.
    const auto came = [&](std::vector<int>& side) {
      const auto found = std::find(side.begin(), side.end(), change.id);
      if (found == side.end()) return false;
      side.erase(found);
      return true;
    };
    if (!came(head) && !came(tail)) left.push_back(change.id);
  }
  std::reverse(head.begin(), head.end());  // each came before the one before it
  // The clips that came are the list's first and last ones; if not, the walk tells.
  const auto& items = store.Items();
  if (head.size() + tail.size() > items.size()) return Changes(store);
  std::vector<const CBaseItem*> heads;
  auto first = items.begin();
  for (int id : head) {
    if ((*first)->id != id) return Changes(store);
    heads.push_back((first++)->get());
  }
  std::vector<const CBaseItem*> tails(tail.size());
  auto last = items.rbegin();
  for (auto id = tail.rbegin(); id != tail.rend(); ++id) {
    if ((*last)->id != *id) return Changes(store);
    tails[static_cast<std::size_t>(tail.rend() - id) - 1] = (last++)->get();
  }

  std::vector<std::uint8_t> frames;
  for (int id : left) {
    // Clips that a save leaves out are not in the journal either.
    const auto found = std::find_if(clips_.begin(), clips_.end(),
                                    [id](const Clip& clip) { return clip.id == id; });
    if (found == clips_.end()) continue;
    CByteWriter payload;
    payload.WriteInt32(kRemoveEntry);
    payload.WriteInt32(static_cast<std::int32_t>(found - clips_.begin()));
    AppendFrame(frames, payload.Bytes());
    clips_.erase(found);
  }
  const auto insert = [&](const CBaseItem& clip, std::size_t position) {
    CByteWriter payload;
    payload.WriteInt32(kInsertEntry);
    payload.WriteInt32(static_cast<std::int32_t>(position));
    clip.Save(payload);
    AppendFrame(frames, payload.Bytes());
    clips_.insert(clips_.begin() + static_cast<std::ptrdiff_t>(position),
                  {clip.id, clip.categoryId, clip.hotKey, clip.edition, &clip});
  };
  std::size_t position = 0;
  for (const CBaseItem* clip : heads) {
    if (IsSaved(*clip)) insert(*clip, position++);
  }
  for (const CBaseItem* clip : tails) {
    if (IsSaved(*clip)) insert(*clip, clips_.size());
  }
  Looked(store, false, frames);
  return frames;
}
