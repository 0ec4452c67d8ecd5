// What the user writes: a clip's text edited in place, and a new note.
#include "store/database.h"

#include <iterator>
#include <memory>
#include <utility>

int CDataBase::ReplaceClipText(int itemId, std::u16string text) {
  if (text.empty() || text.size() > limits.maxTextUnits) return 0;
  const auto found = FindItemIterator(itemId);
  if (found == items.end()) return 0;
  auto* textClip = dynamic_cast<CTextItem*>(found->get());
  if (textClip == nullptr) return 0;
  if (textClip->text == text) return itemId;
  // Out and back in at the same place: the history's index of contents and every view that
  // follows the list hear of it as they hear of any other change. It keeps its id, which
  // orders the history and which the selection, the hot keys and an open editor know it by.
  const auto place = std::next(found);
  std::unique_ptr<CBaseItem> clip = Detach(found);
  static_cast<CTextItem&>(*clip).ReplaceText(std::move(text));
  ++clip->edition;
  Insert(place, std::move(clip));
  return itemId;
}

int CDataBase::AddNote(int categoryId, std::u16string text) {
  if (text.empty() || text.size() > limits.maxTextUnits) return 0;
  if (categoryId != kNotesCategoryId && FindCategory(categoryId) == nullptr) return 0;
  auto note = std::make_unique<CTextItem>();  // its time is now
  note->ReplaceText(std::move(text));
  note->categoryId = categoryId;
  note->id = nextItemId++;
  const int id = note->id;
  Insert(items.begin(), std::move(note));
  return id;
}
