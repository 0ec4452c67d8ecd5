#pragma once
// TClipboardViewerForm: the main window. A narrow borderless strip that stays on top near
// the upper right corner, showing the caption of the newest clip, with a button that
// unfolds the clip tree below it, and a tray icon. It is the program's clipboard viewer:
// every clipboard change becomes a capture of the clip handler. It owns the program's
// life: the settings store from construction to close, the clip handler from the first
// activation to close (it hands both to the parts that use them), the 10 ms tick, the
// automatic save and the closing sequence.
//
// "Exit", WM_CLOSE and the end of the Windows session all close it the same way; when the
// data file cannot be written at an ordinary close the window keeps running.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/clip_editor.h"
#include "app/paste/paste_as_restore.h"
#include "app/paste/paste_method.h"
#include "app/search/win32/list_search.h"
#include "app/theme/theme_palette.h"
#include "app/tree/win32/clip_tree_controller.h"
#include "app/tree/win32/clip_tree_host.h"
#include "app/window/closing_sequence.h"
#include "app/window/capture_pause.h"
#include "app/window/win32/clipboard_watch.h"
#include "app/window/data_keeper.h"
#include "app/window/display_state.h"
#include "dialogs/encryption_choice.h"
#include "app/window/win32/main_window_resources.h"
#include "app/window/win32/mouse_hot_key_hook.h"
#include "app/window/main_window_tick.h"
#include "app/window/popup_keyboard.h"
#include "app/window/tray_click.h"
#include "app/window/win32/single_instance.h"
#include "app/window/win32/tray_icon.h"
#include "categories/clipboard_handler.h"
#include "categories/win32/win32_tree_view.h"
#include "foundation/settings_storage.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

class TClipboardViewerForm final : public CWindow,
                                   public CClipTreeHost,
                                   private CTickPort,
                                   private CClosingPort,
                                   private CListSearchPort,
                                   private CPopupKeyboardPort {
 public:
  // Opens the settings store on the ini file and reads the window's settings. `instance`
  // must outlive the window.
  explicit TClipboardViewerForm(const CSingleInstance& instance);
  ~TClipboardViewerForm() override;

  // Creates the window, its controls and the tray icon, shows it as the settings say and
  // queues the first activation (load, clipboard watch, tick). False when the
  // system refuses the window.
  bool Create();

  // The close has run: every clip is on disk, the clipboard is no longer watched, the tray
  // icon, the mouse hook and the window's mark are given back, and the message loop was
  // told to end. What is left (the window, its rows, the clips) is this process's own
  // memory, which the system takes back at once when the process ends: the program ends
  // without destroying it, which took seconds with a large history.
  bool Closed() const { return closed_; }

  // Tab and Shift+Tab on one of the window's controls move the keyboard to the next or the
  // one before among those shown: the header's buttons, the search field, "Paste to active
  // app" and the list. True when `message` was such a key and is not to be dispatched.
  bool TakeTabKey(const MSG& message);

  // CClipTreeHost
  HWND OwnerWindow() const override { return Handle(); }
  int QuickPasteMode() const override { return tick_.CurrentSettings().quickPasteMode; }
  HIMAGELIST CategoriesIcons() const override {
    return resources_ ? resources_->CategoriesIcons() : nullptr;
  }
  HIMAGELIST MoreIcons() const override { return resources_ ? resources_->MoreIcons() : nullptr; }
  void MoveSelectedToClipboard(EPickedBy by) override;
  void MoveClipToClipboard(int clipId, EPickedBy by) override;
  // The clip's plain text on the clipboard, without its formats; in the popup with its
  // automatic paste, pasted into the program that was active.
  void CopyClipAsPlainText(int clipId, EPickedBy by) override;
  // "Paste as" (clipboard_viewer_form_paste_as.cpp): in the popup with its automatic paste,
  // the text in that form pasted into the program that was active, and the clipboard put
  // back afterwards; in the list, the text put on the clipboard for the user's own paste.
  // Neither makes a clip.
  void PasteClipAs(int clipId, EPasteAs as, EPickedBy by) override;
  bool EditCategory(int categoryId, int parentId) override;
  std::optional<KeyCombination> AskHotKey(KeyCombination current) override;
  void TypeToSearch(wchar_t character) override;
  void OpenSearch() override;
  void EscapePressed() override;
  void ClipsDeleted() override;
  void UndoDelete() override;
  // The clip editor (clipboard_viewer_form_editor.cpp).
  void EditClipText(int clipId) override;
  void WriteNote(const CItemNode* selected) override;
  // clipboard_viewer_form_paste_together.cpp.
  void PasteClipsTogether(const std::vector<int>& clipIds, EPickedBy by) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroyed() override;

 private:
  // CTickPort
  std::optional<std::uint32_t> LastInputTime() override;
  std::uint32_t Now() override { return GetTickCount(); }
  ScreenPoint CursorPos() override;
  ScreenRect WorkAreaAt(ScreenPoint point) override;
  HeldKeys ReadKeys() override;
  bool IsKeyDown(int virtualKey) override;
  void QuickPaste(int position, int categoryId) override;
  void PasteByHotKey(KeyCombination code) override;
  void RememberTarget() override;
  void TogglePause() override;
  // Also for the tray icon's keyboard activation (clipboard_viewer_form_keyboard.cpp).
  void GiveListTheKeyboard() override;
  // The newest history clip's row, or the first row, for a list that has no selection.
  void SelectNewestClip();
  // The window lost the activation: a list the keyboard brought is left to the cursor again.
  void KeyboardLeftWindow();

  // CClosingPort
  void StopClipboardWatch() override;
  void StartClipboardWatch() override;
  void SaveData() override;
  void ShowSaveError(const std::string& message) override;
  void ReleaseHandler() override;
  void WritePosition() override;
  void ReleaseSettings() override;

  // CListSearchPort
  bool HasHandler() const override { return handler_ != nullptr; }
  bool ListShown() const override { return state_->Expanded(); }
  void SearchFieldShown() override;
  void SearchEnter() override;
  void EscapeBeyondSearch() override;
  void ShowNoMatch(bool none) override;

  void PlaceSearchField();
  // Each tick: the clipboard's content from before a "Paste as" goes back when it is time.
  void FollowPasteAsRestore();
  // Before a clip goes on the clipboard: the search ends and the keyboard goes to the target.
  void EndSearchForPut();
  // After: the tree shows the put, and the popup pastes it when "Paste to active app" is on.
  void FinishPut(bool put, EPickedBy by);
  // The popup came or went: the keyboard goes to its list, and back to the program before.
  void PopupOpened();
  void PopupClosed();
  // Runs the clip editor on `target` beside the list; the clip it wrote is selected, and
  // kept as any other change is.
  void RunClipEditor(CClipEditorTarget target);

  // CPopupKeyboardPort (Now is the tick's)
  bool AnyKeyHeld() override;
  bool WindowInFront() override;
  bool BringWindowToFront() override;
  void AskToBeInFront() override;
  void FocusList() override;
  void FocusSearchOrList() override;
  void ActivateTarget() override;

  void LoadSettings();
  // The store's capacity and format size, as the settings give them.
  void HandLimitsToStore();
  void CreateControls();
  void LayoutChildren(int clientWidth, int clientHeight);
  // The window now shows at `dpi`, its top left corner at `place`: every size, font, icon
  // and row is made anew from its design value. Its layout is applied by the caller.
  void ChangeDpi(int dpi, ScreenPoint place);
  // Takes the dpi of the monitor that the state's bounds are on, if it is another.
  void TakeDpiOfPlace();
  // Moves the state's layout onto the window and its controls, changing only what differs.
  void ApplyLayout();

  // HandleMessage by source: the controls' and the header menu's commands, the tray icon
  // and the shell, and what the window posts to itself or a second start sends. The last
  // two give nothing for a message not theirs.
  void OnCommand(int id, int code);
  std::optional<LRESULT> OnTrayMessage(UINT message, LPARAM lParam);
  std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM wParam);

  // The first activation: the clips loaded, the clipboard watched, the tray icon added,
  // the tick started, and the first start's settings or update question.
  void FormActivate();
  // Opens the first top-level row if it is still to be opened after the first load.
  void OpenFirstRowOnce();
  void ReadDataFile();
  // The clips' encryption (clipboard_viewer_form_encryption.cpp): the keys of the files,
  // asked for before the first load, and the key of later saves; a protection chosen in the
  // settings, which has the files written anew at once.
  CStoreKeys UnlockDataFiles();
  void ApplyEncryptionChange(CEncryptionChange change);
  // WM_DRAWCLIPBOARD of the viewer chain: passed on, and captured.
  void WMDrawClipboard(WPARAM wParam, LPARAM lParam);
  // A change announced by the listener or the chain: a new content is captured
  // and shown.
  void ClipboardChanged();
  // The header and the list as the captures made since they were last shown leave them.
  void ShowCaptures();
  // The header drags the window, except over its buttons.
  LRESULT WMNCHitTest(LPARAM lParam) const;
  // The 10 ms tick: the display state follows the mouse and the keys (the popup, quick
  // paste and hot keys among them), the popup holds the keyboard, and the data is kept.
  void Timer1Timer();
  // The open button or the pin was clicked: the list unfolds or folds as they now say.
  void BtOpenClipboardClick();
  void TrayIcon1DblClick();
  // The tray icon's left button (clipboard_viewer_form_tray.cpp), and its menu at `point`.
  void TrayIconClicked(ETrayClick click);
  void ShowTrayMenu(POINT point);
  // The settings dialog; its values take effect at once when it is closed with OK.
  void Settings1Click();
  void ShowMainPopupMenu(POINT point);
  // Capture pauses or resumes (the menu, the hot key, "quillery.exe /pause" and "/resume"),
  // and the tray icon, its tip, the header and the menu's check say which.
  void SetCapturePaused(bool paused);
  void ShowCaptureState();
  // The header's caption as the newest capture, the pause and an empty store say.
  void ShowHeaderCaption();
  // The tray icon's look and tip as the pause says, also when the dpi changed.
  void ShowTrayIcon();
  // "Clear history": every history clip deleted, once the user has said yes.
  void ClearHistory();
  void ShowList();
  void Close(ECloseReason reason);
  // After a close whose sequence has run: gives back what other programs share with the
  // window and ends the message loop (see Closed()).
  void LeaveToTheSystem();
  void DeferClose(ECloseReason reason);
  void PaintFrame();
  // Takes the look the "Theme" setting and the system ask for (clipboard_viewer_form_theme.cpp)
  // and redraws the window in it.
  void FollowTheme();
  // The skin of the look now: the settings' one, or the dark skin made from it.
  const TBitmap& SkinForLook();
  // From the first activation on, the mouse hook watches the popup's hot keys and the
  // clips' that are mouse combinations, as they are now, and lets every click through
  // while the popup is open. Asked at every tick and when the settings change.
  void FollowMouseHotKeys();
  // The mouse hook fired the hot key `code`: what the tick would have done for it.
  void MouseHotKeyFired(KeyCombination code);
  // Forgets the history clips older than the settings keep them, if they say so; `now` is
  // the tick count, from which the next look is a minute away.
  void ForgetOldClips(std::uint32_t now);
  static constexpr std::uint32_t kForgetLookMs = 60'000;

  const CSingleInstance& instance_;
  int dpi_ = 96;                            // of the monitor the window is on
  CDisplayState::Settings designSettings_;  // as the settings give them, at 96 dpi
  std::optional<CDisplayState> state_;
  std::optional<WindowLayout> applied_;
  bool appliedOpenDown_ = false;
  bool appliedPinDown_ = false;
  CMainWindowTick tick_;
  CClipboardWatch watch_;
  CCapturePause capturePause_;  // for this run only
  CDataKeeper dataKeeper_;

  std::unique_ptr<CMainWindowResources> resources_;  // of dpi_, from CreateControls on
  UniquePen framePen_;
  ThemePalette palette_ = PaletteFor(EThemeLook::kLight, SystemColours{});
  TBitmap darkSkin_;         // made the first time the dark look is taken
  UniqueBrush headerBrush_;  // the header's background in palette_; null until FollowTheme
  UniqueMenu mainPopupMenu_;
  std::unique_ptr<CTrayIcon> trayIcon_;

  HWND label_ = nullptr;       // LbClipboardContent
  HWND pinButton_ = nullptr;   // BtPin
  HWND openButton_ = nullptr;  // BtOpenClipboard
  HWND autoPaste_ = nullptr;   // CBAutoPaste
  HWND tree_ = nullptr;        // ItemsTree
  std::unique_ptr<CWin32TreeView> treeView_;
  std::unique_ptr<CClipTreeController> treeController_;
  std::unique_ptr<CListSearch> listSearch_;
  bool appliedSearchOpen_ = false;
  CPopupKeyboard popupKeyboard_{static_cast<CPopupKeyboardPort&>(*this)};

  HWND targetWindow_ = nullptr;  // in front when the popup opened
  CPasteAsRestore pasteAsRestore_;
  EPasteMethod pasteMethod_ = EPasteMethod::kAutomatic;
  bool activated_ = false;  // the first activation has run
  // A history clip was put on the clipboard from the list: the capture that follows brings
  // it back as the newest clip, and the selection goes with it.
  bool selectNewestAfterCapture_ = false;
  // Captures were made that the header and the list do not show yet (ClipboardChanged).
  bool capturesUnshown_ = false;
  // Where the program is put together: the settings store from construction to close, the
  // clip handler from the first activation to close. Both null outside those times.
  Settings::CSettingsStorage* settings_ = nullptr;
  CClipboardHandler* handler_ = nullptr;
  // The first top-level row ("Clipboard history") is opened after the first load, once the
  // tree is on screen: opening it lays out every one of its rows (about 50 ms for 10,000
  // under Wine), which a start with the list folded need not wait for, and captures into a
  // closed level cost less meanwhile.
  bool firstRowToOpen_ = false;
  bool closed_ = false;
  std::optional<ECloseReason> pendingClose_;  // a close heard inside a menu's or dialog's loop
  // Told once the message loop runs: a damaged data file or journal, saves that keep failing.
  std::optional<std::u16string> damagedNotice_;
  // From the first activation to the window's end; its hook only while a hot key is a mouse
  // combination.
  std::unique_ptr<CMouseHotKeyHook> mouseHook_;
  std::vector<KeyCombination> watchedMouseHotKeys_;  // as last handed to the hook
  std::vector<KeyCombination> mouseHotKeysNow_;      // as collected at this tick
  bool mouseHookRefusalLogged_ = false;
  int forgetAfterHours_ = 0;  // 0: history clips are kept whatever their age
  std::uint32_t lastForgetLook_ = 0;
};
