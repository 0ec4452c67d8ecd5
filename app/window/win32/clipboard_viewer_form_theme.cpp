// TClipboardViewerForm: the window's look, taken from the "Theme" setting and the system's
// app theme and high contrast, and followed as they change.

#include "app/window/win32/clipboard_viewer_form.h"

#include "app/theme/dark_skin.h"
#include "app/theme/win32/system_theme.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_reader.h"

void TClipboardViewerForm::FollowTheme() {
  const int setting = Settings::ReadSettingInRange(*settings_, Settings::kThemeSetting);
  const EThemeLook look =
      ChooseThemeLook(setting, SystemAppsUseDarkTheme(), SystemHighContrastOn());
  palette_ = PaletteFor(look, CurrentSystemColours());
  headerBrush_.reset(CreateSolidBrush(ToColorRef(palette_.header.background)));
  framePen_.reset(CreatePen(PS_SOLID, 1, ToColorRef(palette_.header.frame)));
  if (treeController_) {
    treeController_->SetRowColours(palette_.rows);
    treeController_->SetPreviewColours(palette_.preview);
    treeController_->SetEmptyTextColour(palette_.emptyText);
    // A new painter on the look's skin; the light look keeps the settings' skin.
    treeController_->ChangeDpi(SkinForLook(), dpi_);
  }
  if (tree_ != nullptr) TreeView_SetBkColor(tree_, ToColorRef(palette_.treeBackground));
  ApplyLookToWindow(Handle(), tree_, look);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

const TBitmap& TClipboardViewerForm::SkinForLook() {
  const TBitmap& light = settings_->GetSkin();
  if (palette_.look != EThemeLook::kDark) return light;
  if (darkSkin_.Empty()) darkSkin_ = MakeDarkSkin(light);
  return darkSkin_;
}
