// Saving the store to the data file and loading it back (format: data_file_format.h).

#include <algorithm>
#include <iterator>
#include <optional>

#include "foundation/content_digest.h"
#include "foundation/file_error.h"
#include "foundation/file_io.h"
#include "foundation/picture_error.h"
#include "store/data_file_format.h"
#include "store/database.h"
#include "store/encrypted/encrypted_data_source.h"
#include "store/encrypted/encrypted_data_writer.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"
#include "store/encrypted/store_locked_error.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/record_error.h"
#include "store/text_item.h"

namespace {

constexpr std::size_t kSaveBufferBytes = std::size_t{1} << 20;

}  // namespace

void CDataBase::WriteStore(CByteWriter& writer) const {
  writer.WriteInt32(kDataFileMarker);
  writer.WriteInt32(lastCategoryId);
  // Tail first: the reader puts each clip at the head, which restores this order.
  for (auto clip = items.rbegin(); clip != items.rend(); ++clip) {
    if (!(*clip)->orphaned) (*clip)->Save(writer);
  }
  for (const auto& category : categories) category->Save(writer);
}

std::vector<std::uint8_t> CDataBase::SaveToMemory() const {
  CByteWriter writer;
  WriteStore(writer);
  return std::move(writer.Bytes());
}

bool CDataBase::SaveToFile(const std::filesystem::path& path, const CStoreKey* key) {
  // Streamed through a small buffer: a store of large pictures is never copied whole.
  CSafeFileWriter file(path, "data file");
  auto toFile = [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); };
  if (key == nullptr) {
    CByteWriter writer(toFile, kSaveBufferBytes);
    WriteStore(writer);
    writer.Flush();
  } else {
    CEncryptedDataWriter encrypted(*key, toFile);
    CByteWriter writer(
        [&encrypted](std::span<const std::uint8_t> bytes) { encrypted.Write(bytes); },
        kSaveBufferBytes);
    WriteStore(writer);
    writer.Flush();
    encrypted.Finish();
  }
  file.Commit();
  return true;
}

void CDataBase::Clear() {
  historyByContent.clear();
  items.clear();
  clipLog.Broken();
  categories.clear();
  historyCount = 0;
  ++revision;
  CategoriesChanged();
}

bool CDataBase::LoadFromFile(const std::filesystem::path& path, const CStoreKey* key) {
  if (!ReadDataFile(path, key)) return false;
  // Keep the original before anything can overwrite it: the next save writes only what
  // was read before the damage, and only the first paths of a list that named more.
  if (lastLoad.damaged) {
    lastLoad.damagedCopy = CopyBeside(path, DamagedCopySuffix());
  } else if (lastLoad.cutFileLists > 0) {
    lastLoad.damagedCopy = CopyBeside(path, KeptCopySuffix("cut"));
  }
  return true;
}

bool CDataBase::ReadDataFile(const std::filesystem::path& path, const CStoreKey* key) {
  Clear();
  lastLoad = CLoadReport{};
  lastLoad.fileDigest = CContentDigest{}.Value();
  if (!FileExists(path)) return false;
  try {
    // Streamed: a file of any size, never whole in one buffer.
    CFileByteSource source(path, "data file");
    if (const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(source, source.Size())) {
      ReadEncryptedFile(source, *header, key, path);
      return true;
    }
    CByteReader reader(source, source.Size());
    LoadFromReader(reader);
    source.ReadRest();
    lastLoad.fileDigest = source.Digest().Value();
  } catch (const CFileError&) {
    Clear();
    lastLoad = CLoadReport{};
    throw;
  }
  return true;
}

void CDataBase::ReadEncryptedFile(CFileByteSource& file, const CEncryptedHeader& header,
                                  const CStoreKey* key, const std::filesystem::path& path) {
  if (!header.damage.empty() || header.file != EEncryptedFile::kData) {
    // Nothing can be read, but the file is not thrown away: it is kept aside like any
    // damaged one, and named by the digest of its bytes as found.
    lastLoad.format = DataFormat::kCurrent;
    lastLoad.encryption = header.mode;
    lastLoad.damaged = true;
    lastLoad.damageReason = header.damage.empty()
                                ? std::string("an encrypted journal, not a data file")
                                : "encrypted header damaged: " + header.damage;
    file.ReadRest();
    lastLoad.fileDigest = file.Digest().Value();
    return;
  }
  if (key == nullptr || !key->Opens(header)) throw CStoreLockedError("data file", path);
  CEncryptedDataSource source(file, file.Size(), header, *key);
  CByteReader reader(source, source.Size());
  LoadFromReader(reader);
  source.ReadRest();
  lastLoad.encryption = header.mode;
  if (!source.Damage().empty()) {
    // The chunk that failed is what ended the records: its reason is the one to tell.
    if (!lastLoad.damaged) lastLoad.damageOffset = source.DamageOffset();
    lastLoad.damaged = true;
    lastLoad.damageReason = source.Damage();
  }
  lastLoad.fileDigest = source.Digest().Value();
}

void CDataBase::LoadFromMemory(std::span<const std::uint8_t> bytes) {
  CByteReader reader(bytes.data(), bytes.size());
  LoadFromReader(reader);
  CContentDigest digest;
  digest.Add(bytes);
  lastLoad.fileDigest = digest.Value();
}

void CDataBase::LoadFromReader(CByteReader& reader) {
  Clear();
  lastLoad = CLoadReport{};
  std::uint32_t marker = 0;  // a file shorter than 4 bytes counts as 0
  if (reader.Size() >= 4) reader.ReadUInt32(&marker);
  if (marker >= static_cast<std::uint32_t>(kDataFileMarker)) {
    lastLoad.format = DataFormat::kCurrent;
    ReadRecords(reader);
  } else {
    lastLoad.format = DataFormat::kLegacy;
    reader.Seek(0);
    ReadLegacyRecords(reader);
  }
  // Pictures read from BMP records are encoded on the encoder's thread, so that the saves
  // after this one write them as PNG images; the load does not wait for it.
  for (const auto& clip : items) {
    if (const auto* image = dynamic_cast<const CImageItem*>(clip.get())) image->RequestPng();
  }
}

void CDataBase::AdoptLoadedClip(std::unique_ptr<CBaseItem> clip) {
  clip->id = nextItemId++;
  Insert(items.begin(), std::move(clip));
}

namespace {

std::unique_ptr<CBaseItem> NewClipOfRecord(std::int32_t kind) {
  switch (kind) {
    case kTextRecord:
      return std::make_unique<CTextItem>();
    case kPictureRecord:
      return std::make_unique<CImageItem>(EPictureRecord::kBmp);
    case kPngPictureRecord:
      return std::make_unique<CImageItem>(EPictureRecord::kPng);
    case kFileListRecord:
      return std::make_unique<CFileListItem>();
    default:
      return nullptr;
  }
}

// A record whose clip is lost while the reading goes on. The first is told; damage that
// stops the reading later replaces it.
void NotePassedDamage(CLoadReport& report, std::uint64_t recordStart, const std::string& reason) {
  if (report.damaged) return;
  report.damaged = true;
  report.damageReason = reason;
  report.damageOffset = recordStart;
}

}  // namespace

void CDataBase::ReadRecords(CByteReader& reader) {
  std::uint64_t recordStart = reader.Position();
  // The clip last read, until the records attached to it have been read too: it joins the
  // store whole.
  std::unique_ptr<CBaseItem> pending;
  auto adoptPending = [&] {
    if (pending) AdoptLoadedClip(std::move(pending));
  };
  try {
    std::int32_t storedLastCategoryId;
    if (!reader.ReadInt32(&storedLastCategoryId)) throw CRecordError("header cut short");
    // A damaged header must not hand out the built-in categories' ids, or any below 1001.
    lastCategoryId = std::max(storedLastCategoryId, kCategoryIdBase);
    while (!reader.AtEnd()) {
      recordStart = reader.Position();
      // One to three bytes after the last record read as a record of kind 0 that skips
      // nothing: the end of the file, not damage.
      if (reader.Remaining() < 4) {
        reader.Skip(reader.Remaining());
        break;
      }
      std::int32_t kind;
      if (!reader.ReadInt32(&kind)) throw CRecordError("record cut short");
      if (pending && pending->LoadAttached(kind, reader)) continue;
      adoptPending();
      if (std::unique_ptr<CBaseItem> clip = NewClipOfRecord(kind)) {
        try {
          clip->Load(reader);
        } catch (const CPassedPictureError& error) {
          // The record's size is exact: only its clip is lost, and the reading goes on.
          NotePassedDamage(lastLoad, recordStart, std::string("invalid picture: ") + error.what());
          continue;
        }
        if (const auto* files = dynamic_cast<const CFileListItem*>(clip.get());
            files != nullptr && files->PathsCutAtLoad() != 0) {
          ++lastLoad.cutFileLists;
        }
        const std::uint64_t missing = clip->MissingBytes();
        pending = std::move(clip);
        // The picture keeps the rows the file holds; what the file lacks is reported.
        if (missing != 0) {
          throw CRecordError("picture cut short by the end of the file, " +
                             std::to_string(missing) + " pixel bytes missing");
        }
      } else if (kind == kCategoryRecord) {
        auto category = std::make_unique<CCategory>();
        category->Load(reader);
        categories.push_back(std::move(category));
      } else {
        // Unknown kinds, and records attached to a clip that is not before them.
        std::int32_t size;
        if (!reader.ReadInt32(&size)) throw CRecordError("record cut short");
        if (size < 0 || !reader.Skip(static_cast<std::uint64_t>(size))) {
          throw CRecordError("record of unknown kind " + std::to_string(kind) + " with size " +
                             std::to_string(size) + " runs past the end");
        }
        ++lastLoad.skippedRecords;
      }
    }
    adoptPending();
  } catch (const CRecordError& error) {
    adoptPending();
    lastLoad.damaged = true;
    lastLoad.damageReason = error.what();
    lastLoad.damageOffset = recordStart;
  } catch (const CPictureError& error) {
    adoptPending();
    lastLoad.damaged = true;
    lastLoad.damageReason = std::string("invalid picture: ") + error.what();
    lastLoad.damageOffset = recordStart;
  }
  RaiseCategoryCounter();
}

void CDataBase::RaiseCategoryCounter() {
  // A hand-edited or damaged header must not let new categories take ids in use.
  for (const auto& category : categories) lastCategoryId = std::max(lastCategoryId, category->id);
}

void CDataBase::AppendClip(std::unique_ptr<CBaseItem> clip) {
  clip->id = nextItemId++;
  Insert(items.end(), std::move(clip));
}

bool CDataBase::InsertClipAt(std::size_t position, std::unique_ptr<CBaseItem> clip) {
  if (position > items.size()) return false;
  clip->id = nextItemId++;
  Insert(std::next(items.begin(), static_cast<std::ptrdiff_t>(position)), std::move(clip));
  return true;
}

bool CDataBase::RemoveClipAt(std::size_t position) {
  if (position >= items.size()) return false;
  Erase(std::next(items.begin(), static_cast<std::ptrdiff_t>(position)));
  return true;
}

CBaseItem* CDataBase::ClipAt(std::size_t position) {
  if (position >= items.size()) return nullptr;
  return std::next(items.begin(), static_cast<std::ptrdiff_t>(position))->get();
}

void CDataBase::ReplaceCategories(int lastId, const std::vector<CCategory>& replacements) {
  categories.clear();
  for (const CCategory& category : replacements) {
    categories.push_back(std::make_unique<CCategory>(category));
  }
  SetLastCategoryId(lastId);
}

void CDataBase::AppendCategory(const CCategory& category) {
  categories.push_back(std::make_unique<CCategory>(category));
  ++revision;
  CategoriesChanged();
  RaiseCategoryCounter();
}

void CDataBase::SetLastCategoryId(int id) {
  ++revision;  // ReplaceCategories ends here too
  lastCategoryId = std::max(id, kCategoryIdBase);
  RaiseCategoryCounter();
}

void CDataBase::ReadLegacyRecords(CByteReader& reader) {
  std::uint64_t recordStart = 0;
  try {
    while (!reader.AtEnd()) {
      recordStart = reader.Position();
      auto clip = std::make_unique<CTextItem>();
      clip->LoadLegacy(reader);
      clip->categoryId = clip->categoryId == 0 ? kHistoryCategoryId : kNotesCategoryId;
      AdoptLoadedClip(std::move(clip));
    }
  } catch (const CRecordError& error) {
    lastLoad.damaged = true;
    lastLoad.damageReason = error.what();
    lastLoad.damageOffset = recordStart;
  }
}
