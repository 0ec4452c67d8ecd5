#include "app/editor/clip_editor.h"

#include <algorithm>
#include <utility>

CClipEditor::CClipEditor(CClipEditorPort& port, CClipEditorTarget target)
    : port_(port), target_(std::move(target)), initialText_(WithWindowsLineBreaks(target_.text)) {}

std::u16string CClipEditor::Title() const {
  std::u16string title = IsNewNote() ? u"New note" : u"Edit clip";
  if (!target_.categoryName.empty()) title += u" \u2013 " + target_.categoryName;
  if (!IsNewNote() && !target_.timeText.empty()) title += u" \u2013 " + target_.timeText;
  return title;
}

bool CClipEditor::Modified() const {
  return port_.EditedText() != initialText_;
}

void CClipEditor::Save() {
  std::u16string text = port_.EditedText();
  if (IsBlankText(text)) {
    if (!IsNewNote()) {
      port_.Tell(kEmptyEditRefusal);
      return;
    }
    port_.CloseEditor();
    return;
  }
  if (!IsNewNote() && text == initialText_) {
    port_.CloseEditor();  // nothing to change: the clip keeps its id and formats
    return;
  }
  if (text.size() > target_.maxTextUnits) {
    port_.Tell(kTooLongRefusal);
    return;
  }
  if (!Write(std::move(text))) {
    port_.Tell(kNotKeptRefusal);
    return;
  }
  port_.CloseEditor();
}

bool CClipEditor::Write(std::u16string text) {
  if (!IsNewNote()) {
    savedClipId_ = port_.ReplaceClipText(target_.clipId, text);
    if (savedClipId_ != 0) return true;
    // The clip left the list while the editor was open: the user's text is not lost.
    savedClipId_ = port_.AddNote(kNotesCategoryId, std::move(text));
    if (savedClipId_ == 0) return false;
    port_.Tell(kClipGoneNotice);
    return true;
  }
  savedClipId_ = port_.AddNote(target_.categoryId, text);
  // The category was deleted meanwhile: the note goes to the quick notes.
  if (savedClipId_ == 0 && target_.categoryId != kNotesCategoryId) {
    savedClipId_ = port_.AddNote(kNotesCategoryId, std::move(text));
  }
  return savedClipId_ != 0;
}

void CClipEditor::Cancel() {
  if (Modified() && !port_.AskYesNo(kDiscardQuestion)) return;
  port_.CloseEditor();
}

std::u16string WithWindowsLineBreaks(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'\r') {
      result += u"\r\n";
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else if (unit == u'\n') {
      result += u"\r\n";
    } else {
      result.push_back(unit);
    }
  }
  return result;
}

bool IsBlankText(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
  });
}
