#pragma once
// CClipTreeController: everything the main window's clip tree does beyond holding rows:
// drawing every row, selecting with either button, the two context menus and their
// commands, dragging a clip onto a category, and the double click. Rows are those of the
// clip handler's mirror; each row's data is its CItemNode.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tree/clip_selection.h"
#include "app/tree/win32/clip_drag_out.h"
#include "app/tree/win32/clip_preview.h"
#include "app/tree/win32/clip_tree_host.h"
#include "app/tree/win32/clip_tree_menu.h"
#include "app/tree/win32/clip_tree_painter.h"
#include "foundation/bitmap.h"
#include "platform/win32/gdi.h"
#include "platform/win32/notify_reflection.h"

class CClipboardHandler;

class CClipTreeController final : public CNotifyReceiver {
 public:
  // Takes over `tree`'s mouse input (a window subclass, which keeps `tree`'s GWLP_USERDATA)
  // and sets its row height, and hears the notifications that `tree`'s parent reflects
  // (ReflectNotify). `tree` shows `handler`'s mirror. `host` and `handler` must
  // outlive the controller, and so must `tree`, or it may be destroyed first, which ends the
  // subclass. Throws std::runtime_error when the system refuses the drawing resources.
  CClipTreeController(HWND tree, CClipTreeHost& host, CClipboardHandler& handler,
                      const TBitmap& skin, int dpi);
  ~CClipTreeController();
  CClipTreeController(const CClipTreeController&) = delete;
  CClipTreeController& operator=(const CClipTreeController&) = delete;

  // The tree now shows at `dpi`: its rows are drawn and sized anew, from `skin` as at
  // construction. Throws std::runtime_error, changing nothing, when the system refuses.
  void ChangeDpi(const TBitmap& skin, int dpi);
  // The rows are drawn in `colours` from now on (the light look's until then).
  void SetRowColours(const RowColours& colours);
  void SetPreviewColours(const PreviewColours& colours) { preview_.SetColours(colours); }

  // The tree's WM_NOTIFY, reflected by its parent. Answers the custom drawing; follows the
  // selection and the rows that go, and leaves those to the parent.
  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;

  // What Enter and a double click do: a category row folds or unfolds, a clip goes on the
  // clipboard as "Move to clipboard" does (pasted from the popup). With `plainTextOnly`
  // (Shift+Enter) a clip goes as "Copy as plain text" does instead.
  void ActivateSelectedRow(EPickedBy by, bool plainTextOnly = false);

  // The text the tree shows while it has no rows ("No clip matches"); empty for none.
  void SetEmptyText(std::u16string text);
  // ... drawn in `rgb` (0xRRGGBB), the look's; the system's grey text until set.
  void SetEmptyTextColour(std::uint32_t rgb);

  // Selects the clip's row, unfolding its category, if the clip has one.
  void SelectClip(int clipId) { SelectTarget({clipId, false}); }
  // Selects the clips of `clipIds` that have rows, the first as the tree's selected row
  // (clips put back by an undo, all selected as they were deleted).
  void SelectClips(const std::vector<int>& clipIds);

  // Takes the preview away, and any preview about to come.
  void HidePreview();

 private:
  // The category row a drop at `point` would move the dragged clip to, shown as the drop
  // target (clip_tree_drop_target.cpp); none without a point or a drag.
  void HighlightDropTarget(std::optional<POINT> point);

  struct Drag {
    int clipId = 0;
    POINT start{};
    bool started = false;  // the mouse has gone far enough from `start`
  };

  // Above the ids the tree view gives its own timers.
  static constexpr UINT_PTR kPreviewTimerId = 0x5150;
  // The frame put off by a paint of rows is drawn once no key or click waits.
  static constexpr UINT_PTR kFrameTimerId = 0x5151;
  static constexpr UINT kFrameDelayMilliseconds = 20;

  // The subclass, the routing of the tree's messages and the keyboard
  // (clip_tree_controller.cpp).
  static LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Gives the tree its own procedure back, if it still has this one, and stops hearing its
  // notifications.
  void Unhook();
  // True when the message was handled here and must not reach the tree.
  bool HandleTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Asks for the frame (border and scroll bar) alone to be drawn again.
  void InvalidateFrame();
  // `keys`: the message's MK_ flags, which say whether Ctrl and Shift were down at the press.
  void ItemsTreeMouseDown(bool rightButton, POINT point, WPARAM keys);
  void ItemsTreeDblClick();
  // True when the key was taken here.
  bool ItemsTreeKeyDown(WPARAM key);

  // Drawing (clip_tree_paint.cpp).
  LRESULT ItemsTreeCustomDrawItem(NMTVCUSTOMDRAW& draw);
  // The tree's WM_PAINT: the rows on screen that `dirty` touches, and the background below
  // the last row.
  void ItemsTreePaint(HDC dc, const RECT& dirty);
  // `node`'s row into `dc` at `row` (whose height is the tree's item height).
  void PaintRow(HDC dc, HTREEITEM item, const CItemNode& node, RECT row, bool selected);
  void PaintEmptyText(HDC dc);

  // Dragging (clip_tree_drag.cpp).
  void ItemsTreeMouseMove(POINT point);
  void ItemsTreeEndDrag(POINT point);
  // The drag has left the window: the clip goes, as a copy, to the program it is dropped on.
  void DragOut(int clipId);

  // The preview's timing (clip_tree_preview_timing.cpp). The preview of `row`'s clip comes
  // once the pointer has rested on it, or the keyboard has left the selection there, for a
  // moment.
  void SchedulePreview(HTREEITEM row);
  void ShowPreview();
  void HoverAt(POINT point);

  // The context menus and their commands (clip_tree_commands.cpp).
  // The row a context menu was opened for.
  struct MenuTarget {
    int id = 0;
    bool isCategory = false;
    // How the menu was opened: a paste from it puts the popup back as that way of picking
    // does.
    EPickedBy pickedBy = EPickedBy::kMouse;
  };
  void ShowMenu(UniqueMenu menu, POINT point, MenuTarget target);
  void RunCommand(EClipTreeCommand command, MenuTarget target);
  // The Delete key: the selected clip goes as "Delete item" does, without a question, and
  // its neighbour is selected; a category row does what its menu's "Delete" does.
  void DeleteSelectedRow();
  // The row that takes the selection when `row` goes: the next below the same parent, else
  // the one before, else the parent.
  std::optional<MenuTarget> NeighbourOf(HTREEITEM row) const;
  void SelectTarget(MenuTarget target);
  // The target's node as the mirror holds it now, or null when it is gone.
  CItemNode* TargetNode(MenuTarget target) const;
  void EditCategory(int categoryId, int parentId);
  // F2 (the selected clip's text in the editor) and Ctrl+N (a new note); true when taken.
  bool EditorKeyDown(WPARAM key);
  // Adds the clip editor's entries to the menu for `target`, and "Paste as" to a text clip's.
  void AddEditorEntries(HMENU menu, MenuTarget target);

  // The keyboard's ways to the commands (clip_tree_keyboard_commands.cpp).
  // Ctrl+Shift with a letter pastes the selected clip as that letter's form; true when taken.
  bool PasteAsKeyDown(WPARAM key);
  // The context-menu key and Shift+F10 (a WM_CONTEXTMENU without a point) open the
  // selected row's menu beside the row; true when taken. A mouse's menu opens at the press.
  bool KeyboardContextMenu(LPARAM point);
  // The keys themselves, taken as they go down, whether or not the system makes them a
  // WM_CONTEXTMENU; true when taken.
  bool ContextMenuKeyDown(WPARAM key);

  // Accessibility (clip_tree_accessibility.cpp).
  // TVM_GETITEMW through the tree's own procedure, with the row's text (RowText) in the
  // caller's buffer when it asks for text.
  LRESULT GetItemWithRowText(WNDPROC treeProc, WPARAM wParam, LPARAM lParam);
  // A selection the program made (a search, a row gone, the list's hot key) is told to
  // readers as the user's own moves are.
  void AnnounceSelection(HTREEITEM row);
  // The focus rectangle on the selected row comes and goes with the keyboard.
  void InvalidateSelectedRow();

  // Several clips at once (clip_tree_selection.cpp).
  // The tree's selected row is now `row`: after Shift with an arrow key the set reaches it,
  // after anything else it is that row alone; not while MoveCaret runs.
  void FollowSelection(HTREEITEM row, UINT action);
  // Selects `row` for a press of either button, as Ctrl and Shift in `keys` (MK_CONTROL,
  // MK_SHIFT) say. True when they made it a click that gathers clips, which starts no drag.
  bool SelectWithMouse(HTREEITEM row, bool rightButton, WPARAM keys);
  // The left button went up; `dragged`: the clip under it was dragged. A press on one of
  // several selected clips that was no drag selects that clip alone.
  void FinishClick(bool dragged);
  // Makes `row` the tree's selected row, where the keyboard is, leaving the set as it is.
  // `keepFolds`: without folding the other categories (as the tree does on a selection).
  void MoveCaret(HTREEITEM row, bool keepFolds = false);
  // The rows shown (categories unfolded), top to bottom.
  std::vector<ShownRow> ShownRows() const;
  // The clips a command for the clip `clipId` acts on, in list order: the selected clips
  // when it is one of them, else that clip alone.
  std::vector<int> ClipsFor(int clipId);
  // Whether `node`'s row is drawn as selected; `caret`: it is the tree's selected row.
  bool DrawsSelected(const CItemNode& node, bool caret) const;
  ClipboardMenuState ClipMenuFor(const CItemNode& clip);
  void AddSelectionEntries(HMENU menu, MenuTarget target);
  // The Delete key on selected clips other than the one selected row: all of them go, as
  // one deletion, and the row after them is selected. False, doing nothing, otherwise.
  bool DeleteSelectedClips();
  // The history clips among ClipsFor(clipId) go to the notes; false when there is none.
  bool MoveToNotes(int clipId);
  // ClipsFor(clipId) go to the category, in list order.
  void MoveClips(int clipId, int categoryId);
  // Ctrl+Enter, once Ctrl goes up: "Paste together" for the selected clips.
  void PasteSelectedTogether(EPickedBy by);

  // Rows on demand (clip_tree_row_pages.cpp): the next page of a category whose last rows
  // are on screen or selected.
  void MakeRowsNearScreen();

  CItemNode* NodeOf(HTREEITEM row) const;
  bool HasParentRow(HTREEITEM row) const;

  HWND tree_;
  WNDPROC treeProc_ = nullptr;  // the tree's own procedure, while subclassed
  CClipTreeHost& host_;
  CClipboardHandler& handler_;
  std::unique_ptr<CClipRowPainter> painter_;
  std::optional<Drag> drag_;       // DraggedNode: the clip under the left button
  std::optional<COleThread> ole_;  // from the first drag out on
  std::u16string emptyText_;
  std::optional<std::uint32_t> emptyTextColour_;
  RowColours rowColours_;
  CClipPreview preview_;
  HTREEITEM previewRow_ = nullptr;  // the row whose preview is due
  HTREEITEM hoverRow_ = nullptr;    // the row under the pointer
  POINT lastPointer_{-1, -1};       // where the pointer was last seen over the tree
  CClipSelection selection_;
  // A frame paint was put off until the rows were drawn (WM_NCPAINT).
  bool frameAfterRows_ = false;
  bool paintingRows_ = false;           // inside the rows' BeginPaint
  bool frameDue_ = false;               // the frame put off is to be drawn now
  bool followsCaret_ = true;            // the set follows the tree's selected row
  std::optional<int> selectOnRelease_;  // the clip a click selects alone, unless it drags
  bool pasteTogetherAtCtrlUp_ = false;  // Ctrl+Enter was pressed; Ctrl is still down
};
