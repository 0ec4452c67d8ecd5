#include "app/tree/win32/clip_tree_painter.h"

#include <stdexcept>
#include <string_view>

#include <shellapi.h>

#include "foundation/skin_image.h"
#include "platform/dib_info.h"
#include "platform/win32/dpi.h"

namespace {

constexpr wchar_t kFontFace[] = L"Tahoma";
constexpr int kLargePoints = 10;
constexpr int kSmallPoints = 8;

UniqueFont PointFont(int points, int dpi, bool bold) {
  UniqueFont font = MakeFont(kFontFace, FontHeightForPoints(points, dpi), kDesignDpi, bold);
  if (!font) throw std::runtime_error("the system refused the clip tree's font");
  return font;
}

void ResizeRowBitmap(CSkinRowCanvas& canvas, int width) {
  if (!canvas.SizeTo(width)) {
    throw std::runtime_error("the system refused the clip tree's row bitmap");
  }
}

}  // namespace

CClipRowPainter::CClipRowPainter(const TBitmap& skin, int dpi)
    : dpi_(UsableDpi(dpi)),
      height_(RowHeightAtDpi(dpi_)),
      canvas_(skin, height_),
      normal_(PointFont(kLargePoints, dpi_, false)),
      bold_(PointFont(kLargePoints, dpi_, true)),
      small_(PointFont(kSmallPoints, dpi_, false)) {
  if (!canvas_.Usable()) throw std::runtime_error("the system refused the clip tree's drawing");
  ResizeRowBitmap(canvas_, 20);
  // The shell's first icon is its document: what a file list shows before its names.
  // Both of its sizes are kept: the large one is drawn down for rows above 96 dpi.
  HICON large = nullptr;
  HICON small = nullptr;
  if (ExtractIconExW(L"shell32.dll", 0, &large, &small, 1) > 0) {
    fileIcon_.reset(small);
    largeFileIcon_.reset(large);
  }
}

void CClipRowPainter::Paint(HDC target, const RECT& row, const CItemNode& node, RowState state,
                            HIMAGELIST categoriesIcons, HIMAGELIST moreIcons) {
  const int width = row.right - row.left;
  if (width < 1) return;
  ResizeRowBitmap(canvas_, width);
  state.width = width;
  state.height = height_;
  state.dpi = dpi_;
  if (node.isCategory) {
    PaintCategory(node, state, categoriesIcons);
  } else {
    PaintClip(node, state, moreIcons);
  }
  canvas_.CopyTo(target, row);
}

void CClipRowPainter::PaintCategory(const CItemNode& node, const RowState& state,
                                    HIMAGELIST icons) {
  const CategoryRowLook look = CategoryRowLookFor(node, state);
  HDC dc = canvas_.Dc();
  if (look.flatBackground) {
    const RECT whole{0, 0, state.width, height_};
    UniqueBrush background(CreateSolidBrush(ToColorRef(*look.flatBackground)));
    FillRect(dc, &whole, background.get());
  } else {
    canvas_.DrawSkinBand(look.stripe);
  }
  if (icons != nullptr) {
    ImageList_Draw(icons, node.iconIndex, dc, look.iconLeft, look.iconTop, ILD_TRANSPARENT);
  }
  HFONT font = look.bold ? bold_.get() : normal_.get();
  SelectGuard selected(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, AsWide(look.countText.c_str()), static_cast<int>(look.countText.size()),
                        &extent);
  const int countLeft = CountLeft(look, state.width, extent.cx);
  RECT name{look.nameLeft, look.textTop, CategoryNameRight(look, countLeft), height_};
  SetTextColor(dc, ToColorRef(look.nameColour));
  DrawTextW(dc, AsWide(node.caption.c_str()), static_cast<int>(node.caption.size()), &name,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  WriteText(font, look.countColour, countLeft, look.textTop, look.countText);
}

void CClipRowPainter::PaintClip(const CItemNode& node, const RowState& state,
                                HIMAGELIST moreIcons) {
  const ClipRowLook look = ClipRowLookFor(node, state);
  HDC dc = canvas_.Dc();
  const RECT whole{0, 0, state.width, height_};
  UniqueBrush background(CreateSolidBrush(ToColorRef(look.background)));
  FillRect(dc, &whole, background.get());
  if (look.badge) {
    const QuickPasteBadge& badge = *look.badge;
    WriteText(small_.get(), badge.colour, badge.modifierAt.x, badge.modifierAt.y, badge.modifier);
    WriteText(bold_.get(), badge.colour, badge.digitAt.x, badge.digitAt.y, badge.digit);
  }
  if (look.hotKeyMark && moreIcons != nullptr) {
    ImageList_Draw(moreIcons, 0, dc, look.hotKeyMarkLeft, look.hotKeyMarkTop, ILD_TRANSPARENT);
  }
  const HICON fileIcon =
      look.fileIconSide > kFileIconSide && largeFileIcon_ ? largeFileIcon_.get() : fileIcon_.get();
  if (look.fileIcon && fileIcon != nullptr) {
    DrawIconEx(dc, look.fileIconLeft, look.fileIconTop, fileIcon, look.fileIconSide,
               look.fileIconSide, 0, nullptr, DI_NORMAL);
  }
  if (node.thumbnail) {
    PaintThumbnail(*node.thumbnail, look.contentLeft, look.thumbnailTop);
  } else {
    SelectGuard font(dc, small_.get());
    SetTextColor(dc, ToColorRef(look.textColour));
    RECT text{look.textRect.left, look.textRect.top, look.textRect.right, look.textRect.bottom};
    const std::u16string_view caption =
        node.thumbnail.Failed() ? std::u16string_view(kUnreadablePictureText) : node.caption;
    DrawTextW(dc, AsWide(caption.data()), static_cast<int>(caption.size()), &text,
              DT_WORDBREAK | DT_NOPREFIX);
  }
  UniquePen separator(CreatePen(PS_SOLID, 1, ToColorRef(look.separatorColour)));
  SelectGuard pen(dc, separator.get());
  MoveToEx(dc, 0, look.separatorTop, nullptr);
  LineTo(dc, state.width, look.separatorTop);
}

void CClipRowPainter::PaintThumbnail(const TBitmap& thumbnail, int left, int top) {
  // The mirror makes 24-bit thumbnails, whose rows are laid out as a DIB's.
  const int depth = thumbnail.BitsPerPixel();
  if (thumbnail.Empty() || (depth != 24 && depth != 32)) return;
  const BITMAPINFO info = TopDownDibInfo(thumbnail.Width(), thumbnail.Height(), depth);
  SetDIBitsToDevice(canvas_.Dc(), left, top, thumbnail.Width(), thumbnail.Height(), 0, 0, 0,
                    thumbnail.Height(), thumbnail.Row(0), &info, DIB_RGB_COLORS);
}

void CClipRowPainter::WriteText(HFONT font, std::uint32_t colour, int x, int y,
                                const std::u16string& text) {
  HDC dc = canvas_.Dc();
  SelectGuard selected(dc, font);
  SetTextColor(dc, ToColorRef(colour));
  TextOutW(dc, x, y, AsWide(text.c_str()), static_cast<int>(text.size()));
}
