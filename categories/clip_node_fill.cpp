#include "categories/clip_node_fill.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "categories/category_population.h"
#include "store/image_item.h"

namespace {

// Wider than any row of the tree can be (the widest window at 250 %). A picture that would
// need a wider thumbnail (a one-pixel-high strip) is squeezed to it: a thumbnail as wide as
// its proportions say could exceed what a bitmap may be.
constexpr int kMaxThumbnailWidth = 2048;

// A thumbnail `height` pixels high, as wide as the picture's proportions give (truncated),
// kept between one column and kMaxThumbnailWidth. None for a picture without height or
// width, or one that cannot be scaled (memory): that clip's row shows no picture, and the
// rest of the tree is built all the same.
std::unique_ptr<TBitmap> MakeThumbnail(const TBitmap& picture, int height) {
  if (picture.Height() <= 0 || picture.Width() <= 0) return nullptr;
  const double width = picture.Width() * static_cast<double>(height) / picture.Height();
  const int clamped = static_cast<int>(std::clamp(width, 1.0, double{kMaxThumbnailWidth}));
  try {
    return std::make_unique<TBitmap>(picture.ScaledByAreaAverage(clamped, height));
  } catch (const std::exception&) {
    return nullptr;
  }
}

// The clip indent below a category node: asking a real view for the row's parent would be
// a window message.
int ClipIndentBelow(const CItemNode& category) {
  return category.indent == kSubCategoryIndent ? kSubCategoryClipIndent : kTopIndent;
}

}  // namespace

void MakeDueCaption(CItemNode& node, const CBaseItem& clip) {
  if (!node.captionDue) return;
  node.caption = clip.Caption();
  node.captionDue = false;
}

void FillClipNode(CItemNode& node, const CBaseItem& clip, const CItemNode& category, bool made,
                  int thumbnailHeight) {
  // A clip's content changes only when the user edits it (its edition), so its caption and
  // thumbnail are made when its node is and after an edit (the thumbnail also when the tree
  // moved to a monitor of another dpi).
  const bool edited = made || node.edition != clip.edition;
  if (edited) {
    std::u16string().swap(node.caption);
    node.captionDue = true;
    if (node.treeNode != nullptr) MakeDueCaption(node, clip);
  }
  node.edition = clip.edition;
  if (const auto* image = dynamic_cast<const CImageItem*>(&clip)) {
    if (const std::optional<TBitmap::Size> size = image->PictureSize()) {
      const bool stale = node.thumbnail.Height() != thumbnailHeight;
      if (size->width <= 0 || size->height <= 0) {
        node.thumbnail.reset();
      } else if (edited || stale) {
        // Made when the row is first drawn, from pixels decoded for it and let go after.
        node.thumbnail = CClipThumbnail(
            [source = image->PictureSource(), thumbnailHeight]() -> std::unique_ptr<TBitmap> {
              const std::shared_ptr<const TBitmap> picture = source();
              return picture ? MakeThumbnail(*picture, thumbnailHeight) : nullptr;
            },
            thumbnailHeight);
      }
      node.pictureWidth = size->width;
      node.pictureHeight = size->height;
    }
  }
  node.id = static_cast<unsigned int>(clip.id);
  node.clipKind = clip.kind;
  node.created = clip.created;
  node.textLength = static_cast<unsigned int>(clip.textLength);
  node.isCategory = false;
  node.categoryId = static_cast<unsigned int>(clip.categoryId);
  node.marked = true;
  node.inHistory = clip.categoryId == kHistoryCategoryId;
  node.hotKey = clip.hotKey;
  node.indent = ClipIndentBelow(category);
}
