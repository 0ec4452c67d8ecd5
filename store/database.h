#pragma once
// CDataBase: the program's one store of clips and user categories. It captures the
// clipboard into the history, trims the history to its capacity, puts clips back on the
// clipboard, deletes and moves clips and keeps the category records. It shows nothing;
// callers rebuild their view after every change.
//
// Clips live in one list, newest capture at the head. Ids: clips from 100000 upward, fresh
// in every run; user categories from 1001 upward, never reused (the counter is saved with
// the data). The built-in history (10) and notes (11) categories have no record.

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/windows_api.h"
#include "store/base_item.h"
#include "store/capture_exclusion.h"
#include "store/clipboard_owner.h"
#include "store/category.h"
#include "store/clip_format.h"
#include "store/clip_list_log.h"
#include "store/deleted_clips.h"
#include "store/load_report.h"
#include "store/text_item.h"

// What the store keeps at most. The store reads no settings: the main window reads these
// and hands them over (CDataBase::SetLimits) whenever it loads its settings.
class CFileByteSource;
class CStoreKey;
struct CEncryptedHeader;

struct CStoreLimits {
  // The most history clips, as stored ("ClipboardCapacity" is not clamped for captures).
  int capacity = Settings::kClipboardCapacitySetting.defaultValue;
  // The most bytes of formatted forms that one text capture keeps ("MaxFormatSize").
  std::size_t maxFormatBytes = kDefaultMaxFormatBytes;
  // The most UTF-16 units of one text capture: kMaxTextUnits, which no setting changes.
  std::size_t maxTextUnits = kMaxTextUnits;
};

// Which copies the store captures and how, handed over like CStoreLimits
// (CDataBase::SetCaptureRules).
struct CCaptureRules {
  // Executables (file names, or full paths that stand for theirs) whose copies are not
  // captured, compared without regard to case.
  std::vector<std::u16string> excludedPrograms;
  // "KeepDuplicates": true keeps every copy; false moves a history clip of the same content
  // to the head instead.
  bool keepDuplicates = false;
};

class CDataBase {
 public:
  using ItemList = std::list<std::unique_ptr<CBaseItem>>;
  using CategoryList = std::vector<std::unique_ptr<CCategory>>;

  static constexpr int kFirstItemId = 100000;
  static constexpr int kCategoryIdBase = 1000;  // the first user category is 1001

  CDataBase() = default;
  virtual ~CDataBase();
  CDataBase(const CDataBase&) = delete;
  CDataBase& operator=(const CDataBase&) = delete;

  // Makes the store active, with `ownerWindow` as the owner whenever it opens the
  // clipboard. Until then capture and both puts do nothing.
  void Attach(HWND ownerWindow);
  bool IsActive() const { return active; }

  // The limits that the next captures apply; the settings' defaults until set. Clips
  // already kept stay until the next capture trims the history.
  void SetLimits(const CStoreLimits& newLimits) { limits = newLimits; }
  const CStoreLimits& Limits() const { return limits; }
  // The rules that the next captures apply; until set, no program is excluded and each
  // content is one clip.
  void SetCaptureRules(const CCaptureRules& newRules);
  const CCaptureRules& CaptureRules() const { return rules; }

  // Takes the clipboard's content as the newest history clip (files win over text, text
  // over a picture; content marked private is left alone), unless the newest history clip already
  // holds the same text or the same pixels; then removes at most one history clip beyond the
  // capacity (SetLimits), whether or not a clip was taken. The caption describes
  // the content read either way, or, for content beyond what a clip keeps (a picture too
  // large, a text too long, too many files), says in plain words that it was not kept.
  // Unless the rules keep duplicates, content that an older history clip holds moves that
  // clip to the head with a new id and the time of the copy, its hot key kept. A copy made
  // by an excluded program is neither read nor captioned; the log names the program once.
  void CaptureClipboard();

  // Puts the clip with that id on the clipboard. A history clip leaves the store while it
  // is written, so the capture that the write causes brings it back as the newest clip.
  // False when inactive, when there is no such clip, or when the clipboard did not take
  // the content; then the clip is back where it was, with its id.
  bool PutItemToClipboard(int itemId);
  // The same for the `index`-th clip (0 nearest the head) of the category.
  bool PutNthItemToClipboard(int index, int categoryId);
  // Puts only the clip's plain text on the clipboard (a file list's paths, one a line),
  // without its formats. The clip stays where it is, formats and all; the capture that the
  // write causes adds the plain text as a clip of its own. False when inactive, when there
  // is no such clip, when it is a picture, or when the clipboard did not take the text.
  bool PutItemTextToClipboard(int itemId);

  // Deleting by the user, with one step of undo, and forgetting old clips
  // (store/database_removal.cpp). Every clip leaves and comes back through Detach and
  // Insert, like any other change of the list.
  //
  // Takes the clips with these ids out of the store (ids not found are skipped) and gives
  // them back with their places; the store keeps nothing of them.
  CDeletedClips TakeItems(std::span<const int> itemIds);
  // Puts the clips of a deletion back at their places (at the tail where the list has grown
  // shorter), each with a new id, its hot key (unless another clip took that key meanwhile)
  // and its category. Category records deleted with them come back with their own ids (a
  // parent that is gone makes one a top-level category); a clip whose category no longer
  // exists goes to the notes, where no capacity trims it. Returns the new ids in list order.
  std::vector<int> RestoreItems(CDeletedClips deleted);
  // The user's deletions: each replaces the undo step that the store keeps (one, the last)
  // and returns how many clips left. DeleteItems: the clips with these ids; ClearCategory:
  // every clip of the category; DeleteCategoryWithClips: the category record, the records of
  // its sub-categories and every clip of them (-1 when there is no such category).
  int DeleteItems(std::span<const int> itemIds);
  int ClearCategory(int categoryId);
  int DeleteCategoryWithClips(int categoryId);
  // Whether there is a deletion to undo, and the undo: puts it back as RestoreItems does,
  // and returns the clips' new ids (none when there was nothing to undo).
  bool CanUndoDeletion() const { return !lastDeletion.Empty(); }
  std::vector<int> UndoDeletion();
  // Lets the undo step go, and its clips with it (the window does this at the next capture
  // and at exit).
  void DropUndo() { lastDeletion = {}; }
  // Removes the history clips created more than `hours` before `now` (day counts, as
  // `created`); notes and clips of user categories stay, as does the undo step. `hours` of
  // 0 or less forgets nothing. Returns how many clips left.
  int ForgetHistoryOlderThan(double now, int hours);

  // What the user writes (store/database_edit.cpp).
  //
  // Gives the text clip with that id `text` in place of its own. It keeps its category, its
  // place in the list, its hot key and its time; its formatted forms go (CTextItem::
  // ReplaceText). It leaves and comes back at the same place with its id, and its edition
  // counted up: whatever follows the store by ids (the journal, the saver, the search, the
  // tree) sees it go and come back with new content. Returns `itemId`, also when the same
  // text changes nothing. 0, changing nothing, when there is no such clip, it holds no text
  // of its own (a picture, a file list), or `text` is empty or longer than the limits'
  // maxTextUnits.
  int ReplaceClipText(int itemId, std::u16string text);
  // Adds `text` as a text clip of `categoryId` (the notes or a user category) at the head of
  // the list, so first in its category, with the time now. Returns its id; 0, adding
  // nothing, for an empty or too long text or another category (the history holds copies
  // only).
  int AddNote(int categoryId, std::u16string text);

  // Removes and destroys the first clip with that id; false if there is none.
  bool DeleteItem(int itemId);
  // Removes and destroys every clip of the category.
  void DeleteItemsOfCategory(int categoryId);
  // Moves the first clip with that id that is not already in `categoryId` there: it gets
  // a new id and goes to the tail of the list. False if there is no such clip.
  virtual bool MoveItem(int itemId, int categoryId);

  // Appends a copy of `category` with the next category id; returns that id.
  virtual int AddCategory(const CCategory& category);
  // Copies every field of `category` into the category `id`, keeping its id.
  bool UpdateCategory(int id, const CCategory& category);
  // Removes the category's record. Its clips and sub-categories stay in the store.
  bool DeleteCategory(int id);
  // The stored category, or null. The store keeps ownership.
  CCategory* FindCategory(int id);
  // The stored categories with that parent, in list order. The store keeps ownership.
  std::vector<CCategory*> ChildCategories(int parentId);

  // The first clip with that id, or null. The store keeps ownership; `id` and
  // `categoryId` are the store's to change.
  CBaseItem* FindItem(int itemId);

  // Writes the whole store to the data file at `path`, replacing it only once the new
  // content is safely on disk; encrypted with `key` when there is one (the plain bytes
  // are those of SaveToMemory either way). Orphaned clips are left out. Throws CFileError
  // when the file cannot be written; the old file is then as it was. Returns true.
  bool SaveToFile(const std::filesystem::path& path, const CStoreKey* key = nullptr);
  // The bytes SaveToFile writes.
  std::vector<std::uint8_t> SaveToMemory() const;

  // Replaces every clip and category with the content of the data file at `path`, in
  // either format. False when there is no file. Throws CFileError when it exists but
  // cannot be read; the store is then empty. A damaged record stops the reading without
  // an exception: see LastLoad().
  // The file is read in pieces, so it may be of any size. An encrypted file is read with
  // `key`; without one that opens it, CStoreLockedError (a CFileError) is thrown. A plain
  // or legacy file is read whatever `key`.
  bool LoadFromFile(const std::filesystem::path& path, const CStoreKey* key = nullptr);
  // The same without keeping a copy of a damaged file, for tools that only look at it.
  bool ReadDataFile(const std::filesystem::path& path, const CStoreKey* key = nullptr);
  // The same from bytes already in memory, or from a reader (no copy of damaged data is
  // kept; a reader leaves LastLoad().fileDigest 0).
  void LoadFromMemory(std::span<const std::uint8_t> bytes);
  void LoadFromReader(CByteReader& reader);
  const CLoadReport& LastLoad() const { return lastLoad; }

  // For tools that assemble a store from another description of it: appends a clip at
  // the tail with a new id (its categoryId kept), appends a category with its own id, and
  // sets the category counter (never below a stored category's id).
  void AppendClip(std::unique_ptr<CBaseItem> clip);
  void AppendCategory(const CCategory& category);
  void SetLastCategoryId(int id);

  // For the journal of changes since the last save (store/data_journal.h); positions count
  // clips from the head. A clip inserted gets a new id. False for a position beyond the
  // list (for an insert: beyond its end).
  bool InsertClipAt(std::size_t position, std::unique_ptr<CBaseItem> clip);
  bool RemoveClipAt(std::size_t position);
  CBaseItem* ClipAt(std::size_t position);
  // Replaces every category and the counter (never below a stored category's id).
  void ReplaceCategories(int lastId, const std::vector<CCategory>& replacements);
  // The replay of the journal finishes the load: a file list it inserted cut to its first
  // kMaxDropPaths is counted in LastLoad() as the data file's own are.
  void CountFileListCutAtLoad() { ++lastLoad.cutFileLists; }

  const ItemList& Items() const { return items; }
  const CategoryList& Categories() const { return categories; }
  // The caption of the newest captured clip, for the one-line display.
  const std::u16string& LastCaption() const { return lastCaption; }
  // The clipboard's sequence number when the last capture read its content; 0 when it
  // took nothing. While it equals GetClipboardSequenceNumber(), the content on the
  // clipboard is the newest clip already, however often its change is announced.
  DWORD LastCaptureSequence() const { return lastCaptureSequence; }
  int NextItemId() const { return nextItemId; }
  int LastCategoryId() const { return lastCategoryId; }
  // Changes whenever the store changes what its data file would hold: a clip comes or
  // goes, a category or the category counter changes, the content is replaced, or a
  // derived class notes a change of a clip's fields (NoteClipFieldsChanged). A field
  // written through FindItem or ClipAt by anyone else is not seen.
  std::uint64_t Revision() const { return revision; }
  // The clips that entered or left the list, for a follower that should not walk it.
  const CClipListLog& ClipLog() const { return clipLog; }
  // Counts the changes of clips' fields noted by a derived class (NoteClipFieldsChanged),
  // which the log does not tell.
  std::uint64_t FieldChanges() const { return fieldChanges; }

 protected:
  // For a view of the store that follows it change by change (the clip handler's tree):
  // ClipInserted runs once the clip is in `items`, ClipRemoved while it is still there and
  // whole, before it leaves; CategoriesChanged when a category record was added, changed or
  // removed, or the whole content was replaced. The store itself needs none of them.
  virtual void ClipInserted(CBaseItem& clip) { static_cast<void>(clip); }
  virtual void ClipRemoved(const CBaseItem& clip) { static_cast<void>(clip); }
  virtual void CategoriesChanged() {}
  // A derived class changed fields of a clip that the data file keeps (its hot key, its
  // orphaned mark).
  void NoteClipFieldsChanged() {
    ++revision;
    ++fieldChanges;
  }

 private:
  std::unique_ptr<CBaseItem> TakeClipboardContent(std::u16string* refusal);
  bool CopiedByExcludedProgram();
  void KeepCapturedClip(std::unique_ptr<CBaseItem> clip);
  const CBaseItem* NewestHistoryClip() const;
  // The history clip with the same content as `clip`, whose contentHash is set; else the end.
  ItemList::iterator FindEqualHistoryClip(const CBaseItem& clip);
  void TrimHistory();
  bool PutToClipboard(ItemList::iterator clip);
  ItemList::iterator FindItemIterator(int itemId);
  // Every change of `items` goes through these two, which keep `historyCount` and the index
  // of history content. Insert hashes a history clip's content unless `hashKnown` says that
  // its contentHash is already that of its content.
  std::unique_ptr<CBaseItem> Detach(ItemList::iterator position);
  void Insert(ItemList::iterator before, std::unique_ptr<CBaseItem> clip, bool hashKnown = false);
  void Erase(ItemList::iterator clip);
  void Clear();
  void WriteStore(CByteWriter& writer) const;
  void ReadRecords(CByteReader& reader);
  void ReadLegacyRecords(CByteReader& reader);
  // ReadDataFile's reading of an encrypted file; throws CStoreLockedError without a key
  // that opens it.
  void ReadEncryptedFile(CFileByteSource& file, const CEncryptedHeader& header,
                         const CStoreKey* key, const std::filesystem::path& path);
  void AdoptLoadedClip(std::unique_ptr<CBaseItem> clip);
  void RaiseCategoryCounter();

  HWND ownerWindow = nullptr;
  int nextItemId = kFirstItemId;
  int lastCategoryId = kCategoryIdBase;
  std::u16string lastCaption;
  DWORD lastCaptureSequence = 0;
  bool active = false;
  CStoreLimits limits;
  CCaptureRules rules;
  ItemList items;
  CategoryList categories;
  CLoadReport lastLoad;
  // History clips in `items`, kept so that a capture need not walk a long list.
  int historyCount = 0;
  // History clips by their contentHash, so that a capture finds an equal clip, and its
  // place, without walking the history. Every place in it is one of `items`.
  std::unordered_multimap<std::uint64_t, ItemList::iterator> historyByContent;
  CProgramExclusion exclusion;
  CClipboardOwnerLookup ownerLookup;  // of the copies, while the exclusion names a program
  // Folded names of the excluded programs whose refusal the log has told this run.
  std::unordered_set<std::u16string> exclusionsLogged;
  std::uint64_t revision = 0;
  std::uint64_t fieldChanges = 0;
  CClipListLog clipLog;
  // The last deletion by the user, which UndoDeletion puts back; only in memory.
  CDeletedClips lastDeletion;
};
