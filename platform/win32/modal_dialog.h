#pragma once
// CModalDialog: the base of our modal dialogs. A dialog is laid out in code: the derived
// class adds its controls in OnInit at design positions (pixels at 96 dots per inch), which
// AddControl scales to the dpi of the monitor the dialog opens on; creation order is tab
// order. On WM_DPICHANGED (the dialog dragged onto a monitor of another dpi) the dialog
// takes the system's suggested place, and its size, font and every control it added are
// scaled anew from their design values; OnDpiChanged does the rest. The dialog manager gives
// Tab, Enter (IDOK through the default button) and Esc (IDCANCEL). No exception leaves the
// dialog procedure (see window.h).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/win32/gdi.h"

class CModalDialog {
 public:
  CModalDialog() = default;
  CModalDialog(const CModalDialog&) = delete;
  CModalDialog& operator=(const CModalDialog&) = delete;
  virtual ~CModalDialog() = default;

  // Shows the dialog modally and returns the id it was ended with (IDOK, IDCANCEL), or -1
  // when it could not be created.
  INT_PTR Run(HWND owner);

  HWND Handle() const { return hwnd_; }

  // Tests drive dialogs through this hook: while it is set, it is called with each of our
  // dialogs once the dialog is shown and its message loop runs. The test sends messages to
  // the controls and ends the dialog (for instance by clicking OK with BM_CLICK).
  using Driver = std::function<void(HWND dialog)>;
  static void SetTestDriver(Driver driver);

 protected:
  // Adds the controls; the caption, font and client size are already set. Return false to
  // let the dialog manager set the focus to the first control.
  virtual bool OnInit() = 0;
  // WM_COMMAND. The default ends the dialog on IDOK (after OnOk returns true) and IDCANCEL.
  virtual bool OnCommand(int id, int code, HWND control);
  // WM_NOTIFY; the result goes to DWLP_MSGRESULT when `handled` is set.
  virtual LRESULT OnNotify(NMHDR* header, bool& handled);
  // Any other message; return true when handled, with the result in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  // Called for IDOK before the dialog ends; false keeps it open.
  virtual bool OnOk() { return true; }
  // After a change of the dialog's dpi (Dpi() is the new one), once its controls have their
  // new places and font: what the derived class sized itself (fonts, row heights, controls
  // not added with AddControl).
  virtual void OnDpiChanged() {}

  // The form: caption, client size in design pixels, font face and design height. Call
  // before Run (from the constructor).
  void SetForm(std::wstring_view caption, int clientWidth, int clientHeight,
               std::wstring_view fontFace, int fontHeight);

  // Creates a child control at design position (x, y, width, height), scaled, with the
  // dialog's font. WS_CHILD | WS_VISIBLE are added to `style`.
  HWND AddControl(const wchar_t* className, std::wstring_view text, DWORD style, int x, int y,
                  int width, int height, int id, DWORD exStyle = 0);
  HWND AddControlTo(HWND parent, const wchar_t* className, std::wstring_view text, DWORD style,
                    int x, int y, int width, int height, int id, DWORD exStyle = 0);

  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // The place at the dialog's dpi of a control added at design position (x, y, width,
  // height).
  RECT ScaledRect(int x, int y, int width, int height) const;
  int Dpi() const { return dpi_; }
  int Scale(int designValue) const { return ScaleToDpi(designValue, dpi_); }
  HFONT Font() const { return font_.get(); }

 private:
  // A control of AddControl and its design position.
  struct CPlacedControl {
    HWND control;
    int x, y, width, height;
  };

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's size for the design client size at dpi_, in a frame of `frameDpi`.
  SIZE FrameSize(int frameDpi) const;
  void ChangeDpi(int dpi, const RECT& suggested);

  HWND hwnd_ = nullptr;
  std::wstring caption_;
  std::wstring fontFace_ = L"Arial";
  int clientWidth_ = 200;
  int clientHeight_ = 100;
  int fontHeight_ = -13;
  int dpi_ = 96;
  UniqueFont font_;
  std::vector<CPlacedControl> placed_;
};
