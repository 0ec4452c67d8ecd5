#pragma once
// TClipEditorForm: the clip editor's window. A small resizable dialog beside the clip list:
// a multi-line edit with word wrap and the edit control's own undo, "Save" and "Cancel".
// Ctrl+Enter and Ctrl+S save, Escape and the close box cancel; what they do is
// CClipEditor's.

#include <optional>
#include <string>
#include <string_view>

#include "app/editor/clip_editor.h"
#include "app/editor/editor_target.h"
#include "app/theme/theme_palette.h"
#include "platform/win32/gdi.h"
#include "platform/win32/modal_dialog.h"
#include "store/database.h"

class TClipEditorForm final : public CModalDialog, private CClipEditorPort {
 public:
  // Edits `target` in `store`, which must outlive the form; `list` is the clip list's
  // place on the screen, which the editor goes beside; `palette` the window's look.
  TClipEditorForm(CDataBase& store, CClipEditorTarget target, const EditorRect& list,
                  const ThemePalette& palette);

  // Runs the editor modally, owned by `owner`. Returns the id of the clip it wrote, or 0
  // when it wrote none.
  int Execute(HWND owner);

 private:
  // CModalDialog
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDpiChanged() override { Layout(); }

  // CClipEditorPort
  std::u16string EditedText() override;
  bool AskYesNo(std::u16string_view question) override;
  void Tell(std::u16string_view message) override;
  int ReplaceClipText(int clipId, std::u16string text) override;
  int AddNote(int categoryId, std::u16string text) override;
  void CloseEditor() override;

  // The edit fills the client area above the buttons, which keep to its lower right.
  void Layout();
  // The colours of the dialog and its controls in the dark look; false in the others, which
  // leave them to the system.
  bool ColourControl(UINT message, HDC dc, INT_PTR& result) const;
  // The editor's keys, taken before the edit control sees them; true when taken.
  bool EditorKey(WPARAM key);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR form);

  CDataBase& store_;
  CClipEditor editor_;
  EditorRect list_;
  EThemeLook look_;
  std::optional<EditorColours> colours_;
  UniqueBrush background_;      // of the dialog, with colours_
  UniqueBrush editBackground_;  // of the edit, with colours_
  HWND edit_ = nullptr;
};
