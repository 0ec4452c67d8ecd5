#include "store/database.h"

#include <algorithm>
#include <iterator>

#include "foundation/caption.h"
#include "foundation/log.h"
#include "foundation/utf8_text.h"
#include "store/clip_content.h"
#include "store/clipboard_format_set.h"
#include "store/clipboard_owner.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "foundation/name_fold.h"
#include "foundation/program_list.h"
#include "store/text_item.h"

CDataBase::~CDataBase() {
  // Clips first, then categories, as the store has always released them.
  items.clear();
  categories.clear();
}

void CDataBase::Attach(HWND owner) {
  ownerWindow = owner;
  active = true;
}

void CDataBase::SetCaptureRules(const CCaptureRules& newRules) {
  rules = newRules;
  exclusion = CProgramExclusion(rules.excludedPrograms);
}

std::unique_ptr<CBaseItem> CDataBase::TakeClipboardContent(std::u16string* refusal) {
  std::unique_ptr<CBaseItem> clip;
  bool read = false;
  // One question for every format (each reader asks again once the clipboard is open).
  const CClipboardFormatSet offered = CClipboardFormatSet::Now();
  // Files first: a file manager may give their names as text too, but a copy of files is
  // what the user made.
  if (offered.Has(CF_HDROP)) {
    clip = std::make_unique<CFileListItem>();
    read = clip->ReadFromClipboard(ownerWindow);
  } else if (offered.HasText()) {
    auto text = std::make_unique<CTextItem>();
    read = text->ReadFromClipboard(ownerWindow, limits.maxFormatBytes, limits.maxTextUnits);
    clip = std::move(text);
  } else if (CImageItem::IsOffered(offered)) {
    clip = std::make_unique<CImageItem>();
    read = clip->ReadFromClipboard(ownerWindow);
  } else {
    return nullptr;
  }
  // Content of one kind that cannot be read is not replaced by another: the change is
  // dropped.
  if (!read) {
    *refusal = clip->Refusal();
    return nullptr;
  }
  return clip;
}

const CBaseItem* CDataBase::NewestHistoryClip() const {
  // Captures go to the head and moved clips to the tail, so this stops at once but for
  // clips that a load put before the history.
  auto newest = std::find_if(items.begin(), items.end(), [](const auto& clip) {
    return clip->categoryId == kHistoryCategoryId;
  });
  return newest != items.end() ? newest->get() : nullptr;
}

bool CDataBase::CopiedByExcludedProgram() {
  if (exclusion.Empty()) return false;  // no look-up of the owner's process at all
  const std::u16string program = ownerLookup.OwnerProgram();
  if (!exclusion.Excludes(program)) return false;
  // The user chose this, so the caption stays; the log says why the copy is missing.
  if (exclusionsLogged.insert(FoldProgramName(ProgramFileName(program))).second) {
    LogInfo("Copies made by " + Utf8FromUtf16(program) +
            " are not kept: the program is excluded from the history.");
  }
  return true;
}

void CDataBase::CaptureClipboard() {
  if (!active) return;
  lastCaptureSequence = 0;
  std::u16string refusal;
  if (CopiedByExcludedProgram()) {
    // Nothing read, nothing said.
  } else if (std::unique_ptr<CBaseItem> clip = TakeClipboardContent(&refusal)) {
    lastCaptureSequence = clip->clipboardSequence;
    if (const auto* text = dynamic_cast<const CTextItem*>(clip.get())) {
      lastCaption = text->Caption();
    } else if (const auto* files = dynamic_cast<const CFileListItem*>(clip.get())) {
      lastCaption = MakeCaption(FileListCaption(files->paths));
    } else {
      lastCaption = u"Image";
    }
    KeepCapturedClip(std::move(clip));
  } else if (!refusal.empty()) {
    // Told where the caption of every capture shows.
    lastCaption = std::move(refusal);
  }
  TrimHistory();
}

void CDataBase::KeepCapturedClip(std::unique_ptr<CBaseItem> clip) {
  clip->categoryId = kHistoryCategoryId;
  clip->contentHash = ContentHash(*clip);
  // What the history shows first already: the content left on the clipboard by the last
  // run, or a change announced twice. A copy of it after another clip is a new clip,
  // unless the rules ask for one clip per content.
  const CBaseItem* newest = NewestHistoryClip();
  if (newest != nullptr && newest->contentHash == clip->contentHash &&
      HaveSameContent(*newest, *clip)) {
    return;
  }
  if (!rules.keepDuplicates) {
    if (auto equal = FindEqualHistoryClip(*clip); equal != items.end()) {
      // The older clip comes to the head as the copy it now is; what the user gave it (its
      // hot key) stays with it.
      std::unique_ptr<CBaseItem> moved = Detach(equal);
      moved->id = nextItemId++;
      moved->created = clip->created;
      moved->clipboardSequence = clip->clipboardSequence;
      Insert(items.begin(), std::move(moved), true);
      return;
    }
  }
  clip->id = nextItemId++;
  Insert(items.begin(), std::move(clip), true);
}

CDataBase::ItemList::iterator CDataBase::FindEqualHistoryClip(const CBaseItem& clip) {
  const auto [first, last] = historyByContent.equal_range(clip.contentHash);
  for (auto candidate = first; candidate != last; ++candidate) {
    const CBaseItem& held = **candidate->second;
    // Pictures not decoded since the start are not decoded for this: a history of
    // thousands of screenshots would all be, at the first copy of one.
    if (held.categoryId == kHistoryCategoryId &&
        HaveSameContent(held, clip, EPictureDecode::kNotAllowed)) {
      return candidate->second;
    }
  }
  return items.end();
}

void CDataBase::TrimHistory() {
  if (historyCount <= limits.capacity) return;
  // The history clip nearest the tail goes; walking from the tail finds it after only the
  // clips of other categories that were moved there.
  auto last = std::find_if(items.rbegin(), items.rend(),
                           [](const auto& clip) { return clip->categoryId == kHistoryCategoryId; });
  if (last != items.rend()) Erase(std::prev(last.base()));
}

bool CDataBase::PutItemToClipboard(int itemId) {
  if (!active) return false;
  auto clip = FindItemIterator(itemId);
  return clip != items.end() && PutToClipboard(clip);
}

bool CDataBase::PutNthItemToClipboard(int index, int categoryId) {
  if (!active || index < 0) return false;
  int seen = 0;
  for (auto clip = items.begin(); clip != items.end(); ++clip) {
    if ((*clip)->categoryId == categoryId && seen++ == index) return PutToClipboard(clip);
  }
  return false;
}

bool CDataBase::PutItemTextToClipboard(int itemId) {
  if (!active) return false;
  const CBaseItem* clip = FindItem(itemId);
  if (clip == nullptr) return false;
  const std::optional<std::u16string> text = clip->PlainText();
  return text && PutPlainTextOnClipboard(ownerWindow, *text);
}

bool CDataBase::PutToClipboard(ItemList::iterator position) {
  if ((*position)->categoryId != kHistoryCategoryId) {
    return (*position)->WriteToClipboard(ownerWindow);
  }
  // A history clip is out of the list before the write: the capture that the write may
  // run before returning must neither count it nor see it.
  const auto index = std::distance(items.begin(), position);
  const CBaseItem* successor =
      std::next(position) == items.end() ? nullptr : std::next(position)->get();
  std::unique_ptr<CBaseItem> clip = Detach(position);

  if (clip->WriteToClipboard(ownerWindow))
    return true;  // the clip's content lives on as the new capture

  // The write failed: the clip goes back where it was, before the clip that followed it
  // (or at its old index if a capture meanwhile removed that one).
  auto before = std::find_if(items.begin(), items.end(),
                             [successor](const auto& other) { return other.get() == successor; });
  if (successor != nullptr && before == items.end()) {
    before = std::next(items.begin(), std::min<std::ptrdiff_t>(index, std::ssize(items)));
  }
  Insert(before, std::move(clip));
  return false;
}

CDataBase::ItemList::iterator CDataBase::FindItemIterator(int itemId) {
  return std::find_if(items.begin(), items.end(),
                      [itemId](const auto& clip) { return clip->id == itemId; });
}

CBaseItem* CDataBase::FindItem(int itemId) {
  auto clip = FindItemIterator(itemId);
  return clip == items.end() ? nullptr : clip->get();
}

std::unique_ptr<CBaseItem> CDataBase::Detach(ItemList::iterator position) {
  ++revision;
  clipLog.Removed((*position)->id);
  ClipRemoved(**position);
  // Looked for whatever its category now says: the index must never hold a clip that left.
  const auto [first, last] = historyByContent.equal_range((*position)->contentHash);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second == position) {
      historyByContent.erase(entry);
      break;
    }
  }
  std::unique_ptr<CBaseItem> clip = std::move(*position);
  items.erase(position);
  if (clip->categoryId == kHistoryCategoryId) --historyCount;
  // Looked for whatever its category now says: the index must never hold a clip that left.
  return clip;
}

void CDataBase::Insert(ItemList::iterator before, std::unique_ptr<CBaseItem> clip, bool hashKnown) {
  ++revision;
  const bool history = clip->categoryId == kHistoryCategoryId;
  if (history && !hashKnown) clip->contentHash = ContentHash(*clip);
  clipLog.Inserted(clip->id, before == items.begin() ? CClipListChange::EPlace::kHead
                             : before == items.end() ? CClipListChange::EPlace::kTail
                                                     : CClipListChange::EPlace::kElsewhere);
  const auto position = items.insert(before, std::move(clip));
  if (history) {
    ++historyCount;
    historyByContent.emplace((*position)->contentHash, position);
  }
  ClipInserted(**position);
}

void CDataBase::Erase(ItemList::iterator clip) {
  Detach(clip);
}

bool CDataBase::DeleteItem(int itemId) {
  auto clip = FindItemIterator(itemId);
  if (clip == items.end()) return false;
  Erase(clip);
  return true;
}

void CDataBase::DeleteItemsOfCategory(int categoryId) {
  for (auto clip = items.begin(); clip != items.end();) {
    auto next = std::next(clip);
    if ((*clip)->categoryId == categoryId) Erase(clip);
    clip = next;
  }
}

bool CDataBase::MoveItem(int itemId, int categoryId) {
  auto clip = std::find_if(items.begin(), items.end(), [&](const auto& candidate) {
    return candidate->id == itemId && candidate->categoryId != categoryId;
  });
  if (clip == items.end()) return false;
  std::unique_ptr<CBaseItem> moved = Detach(clip);
  moved->id = nextItemId++;
  moved->categoryId = categoryId;
  Insert(items.end(), std::move(moved));
  return true;
}

int CDataBase::AddCategory(const CCategory& category) {
  auto added = std::make_unique<CCategory>(category);
  added->id = ++lastCategoryId;
  categories.push_back(std::move(added));
  ++revision;
  CategoriesChanged();
  return lastCategoryId;
}

bool CDataBase::UpdateCategory(int id, const CCategory& category) {
  CCategory* stored = FindCategory(id);
  if (stored == nullptr) return false;
  *stored = category;
  stored->id = id;
  ++revision;
  CategoriesChanged();
  return true;
}

bool CDataBase::DeleteCategory(int id) {
  auto found = std::find_if(categories.begin(), categories.end(),
                            [id](const auto& category) { return category->id == id; });
  if (found == categories.end()) return false;
  categories.erase(found);
  ++revision;
  CategoriesChanged();
  return true;
}

CCategory* CDataBase::FindCategory(int id) {
  auto found = std::find_if(categories.begin(), categories.end(),
                            [id](const auto& category) { return category->id == id; });
  return found == categories.end() ? nullptr : found->get();
}

std::vector<CCategory*> CDataBase::ChildCategories(int parentId) {
  std::vector<CCategory*> children;
  for (const auto& category : categories) {
    if (category->parentId == parentId) children.push_back(category.get());
  }
  return children;
}
