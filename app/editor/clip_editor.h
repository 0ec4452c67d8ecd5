#pragma once
// CClipEditor: the rules of the clip editor, apart from its window. It edits one text: a
// text clip's (an edit in place) or a new note's. Saving writes it through the port and
// closes; cancelling closes, asking first when the text was changed. The window only moves
// the text between its edit control and these rules.

#include <cstddef>
#include <string>
#include <string_view>

#include "store/base_item.h"
#include "store/text_item.h"

inline constexpr char16_t kDiscardQuestion[] = u"Discard your changes to this clip?";
inline constexpr char16_t kEmptyEditRefusal[] =
    u"A clip cannot be left empty.\nTo remove the clip, close the editor and delete it.";
inline constexpr char16_t kTooLongRefusal[] = u"This text is too long to keep as a clip.";
inline constexpr char16_t kNotKeptRefusal[] = u"The text could not be kept as a clip.";
inline constexpr char16_t kClipGoneNotice[] =
    u"The clip is no longer in the list (it was deleted, used or dropped from the history "
    u"meanwhile). Your text was kept as a new clip in Quick notes.";

// What the editor opens on.
struct CClipEditorTarget {
  int clipId = 0;  // the text clip edited; 0 for a new note
  int categoryId = kNotesCategoryId;
  std::u16string categoryName;
  std::u16string timeText;  // the clip's time as the user reads it; empty for a new note
  std::u16string text;      // the clip's text; empty for a new note
  std::size_t maxTextUnits = kMaxTextUnits;
};

// What the rules ask of the window and the store.
class CClipEditorPort {
 public:
  // The text in the edit control now.
  virtual std::u16string EditedText() = 0;
  // A question with Yes and No; true for Yes.
  virtual bool AskYesNo(std::u16string_view question) = 0;
  // A message with only OK.
  virtual void Tell(std::u16string_view message) = 0;
  // The store's edit and new note (CDataBase::ReplaceClipText, AddNote): the clip's id, or
  // 0 when the store refused.
  virtual int ReplaceClipText(int clipId, std::u16string text) = 0;
  virtual int AddNote(int categoryId, std::u16string text) = 0;
  // The editor's window goes.
  virtual void CloseEditor() = 0;

 protected:
  ~CClipEditorPort() = default;
};

class CClipEditor {
 public:
  CClipEditor(CClipEditorPort& port, CClipEditorTarget target);

  // "Edit clip – Quick notes – 10/12/2026 07:03" or "New note – Work".
  std::u16string Title() const;
  // The text the edit control starts with: the clip's, every line break as "\r\n", which
  // is the only one an edit control shows.
  const std::u16string& InitialText() const { return initialText_; }
  bool IsNewNote() const { return target_.clipId == 0; }
  // The text differs from what the editor opened with.
  bool Modified() const;

  // Ctrl+Enter, Ctrl+S: the text is written and the editor closes. A new note with no text
  // (nothing but spaces and line breaks) creates nothing; an edit with none is refused and
  // the editor stays, as it does for a text too long to keep. An edit of a clip that left
  // the list meanwhile is kept as a new note, and the user is told.
  void Save();
  // Escape, the close box: the editor closes, once the user has agreed to lose changes.
  void Cancel();

  // The clip that the save wrote (its new id); 0 before or without one.
  int SavedClipId() const { return savedClipId_; }

 private:
  // Writes `text`; false when nothing could be kept and the editor stays.
  bool Write(std::u16string text);

  CClipEditorPort& port_;
  CClipEditorTarget target_;
  std::u16string initialText_;
  int savedClipId_ = 0;
};

// `text` with every line break ("\r\n", a lone "\n" or a lone "\r") as "\r\n".
std::u16string WithWindowsLineBreaks(std::u16string_view text);
// True when `text` holds nothing but spaces, tabs and line breaks.
bool IsBlankText(std::u16string_view text);
