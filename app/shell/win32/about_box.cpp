#include "app/shell/win32/about_box.h"

#include <string>

#include "app/shell/about_text.h"
#include "app/shell/update_check.h"
#include "dialogs/win32/common_controls.h"
#include "foundation/skin_image.h"
#include "platform/win32/modal_dialog.h"

namespace {

std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; *text != '\0'; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

// "About": the product's name and version, its web site and the maker's over a picture that
// fills the box, and OK. Design values at 96 dots per inch.
class TAboutBox final : public CModalDialog {
 public:
  TAboutBox() { SetForm(L"About", 379, 243, L"Arial", -13); }

 protected:
  bool OnInit() override {
    LoadIcon();
    const std::u16string name = AboutProductName();
    AddControl(L"STATIC", std::wstring(name.begin(), name.end()), SS_LEFT, 16, 16, 280, 16,
               kIdAboutProductName);
    AddControl(L"STATIC", Widen(AboutProductLink().address), SS_LEFT | SS_NOTIFY, 16, 32, 280, 16,
               kIdAboutProductUrl);
    AddControl(L"STATIC", Widen(AboutCompanyLink().address), SS_LEFT | SS_NOTIFY, 16, 80, 280, 16,
               kIdAboutCompanyUrl);
    HWND ok = AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 296, 210, 75, 25, IDOK);
    SetFocus(ok);
    return true;
  }

  bool OnCommand(int id, int code, HWND control) override {
    if (code == STN_CLICKED && id == kIdAboutProductUrl) {
      OpenUrl(AboutProductLink().verb, AboutProductLink().address);
      return true;
    }
    if (code == STN_CLICKED && id == kIdAboutCompanyUrl) {
      OpenUrl(AboutCompanyLink().verb, AboutCompanyLink().address);
      return true;
    }
    return CModalDialog::OnCommand(id, code, control);
  }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    switch (message) {
      case WM_ERASEBKGND:
        PaintPicture(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
      case WM_CTLCOLORSTATIC: {
        // Labels lie on the picture: no background of their own; the links are blue.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        SetBkMode(dc, TRANSPARENT);
        const bool link = id == kIdAboutProductUrl || id == kIdAboutCompanyUrl;
        SetTextColor(dc, link ? RGB(0, 0, 255) : RGB(0, 0, 0));
        result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        return true;
      }
      case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if (id != kIdAboutProductUrl && id != kIdAboutCompanyUrl) return false;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
      }
      default:
        return false;
    }
  }

  void OnDpiChanged() override { LoadIcon(); }

 private:
  // The program's icon at its 96-dpi size of 32 pixels, scaled.
  void LoadIcon() {
    const int side = Scale(kIconSide);
    icon_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAIN_ICON", IMAGE_ICON, side, side, 0)));
  }

  // The picture: the skin's pale band as a gradient over the whole box, its strong blue
  // band as a strip along the bottom, and the program's icon.
  void PaintPicture(HDC dc) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int height = client.bottom;
    for (int y = 0; y < height; ++y) {
      const std::uint32_t colour = SkinRowColour(2 * kSkinBandRows + y * kSkinBandRows / height);
      RECT line{0, y, client.right, y + 1};
      UniqueBrush brush(
          CreateSolidBrush(RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF)));
      FillRect(dc, &line, brush.get());
    }
    const int strip = Scale(6);
    for (int y = 0; y < strip; ++y) {
      const std::uint32_t colour = SkinRowColour(3 * kSkinBandRows + y * kSkinBandRows / strip);
      RECT line{0, height - strip + y, client.right, height - strip + y + 1};
      UniqueBrush brush(
          CreateSolidBrush(RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF)));
      FillRect(dc, &line, brush.get());
    }
    if (icon_) {
      const int side = Scale(kIconSide);
      DrawIconEx(dc, client.right - Scale(16) - side, Scale(16), icon_.get(), side, side, 0,
                 nullptr, DI_NORMAL);
    }
  }

  static constexpr int kIconSide = 32;
  UniqueIcon icon_;
};

}  // namespace

void ShowAboutBox(HWND owner) {
  EnsureCommonControls();
  TAboutBox box;
  box.Run(owner);
}
