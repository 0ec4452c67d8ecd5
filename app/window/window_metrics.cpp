#include "app/window/window_metrics.h"

#include <algorithm>

#include "platform/dpi_scale.h"

namespace {

// The form's design, in pixels at 96 dots per inch: the header's controls and the margins
// by which the anchored ones follow the window's right and bottom edges.
constexpr int kHeaderTop = 1;
constexpr int kHeaderControlHeight = 27;
constexpr int kFrameHeight = 2;  // the one-pixel frame above and below the header
constexpr int kLabelLeft = 4;
constexpr int kLabelRightMargin = 46;
constexpr int kPinRightOffset = 45;  // from the right edge to the pin's left edge
constexpr int kOpenRightOffset = 21;
constexpr int kButtonWidth = 20;
constexpr int kAutoPasteLeft = 4;
constexpr int kAutoPasteTop = 10;
constexpr int kAutoPasteWidth = 125;
constexpr int kAutoPasteHeight = 17;
constexpr int kTreeLeft = 1;
constexpr int kTreeTop = 28;
constexpr int kTreeIndent = 42;
constexpr int kFormFontHeight = -11;
constexpr int kTreeFontHeight = -19;
constexpr int kIconSide = 16;
constexpr int kThumbnailHeight = 22;

ScreenRect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace

MainWindowMetrics MainWindowMetricsAt(int dpi) {
  MainWindowMetrics metrics;
  metrics.dpi = UsableDpi(dpi);
  metrics.headerHeight = ScaleToDpi(kHeaderControlHeight, dpi) + kFrameHeight;
  metrics.formFontHeight = ScaleToDpi(kFormFontHeight, dpi);
  metrics.treeFontHeight = ScaleToDpi(kTreeFontHeight, dpi);
  metrics.treeIndent = ScaleToDpi(kTreeIndent, dpi);
  metrics.iconSide = ScaleToDpi(kIconSide, dpi);
  metrics.thumbnailHeight = ScaleToDpi(kThumbnailHeight, dpi);
  return metrics;
}

MainWindowChildren MainWindowChildrenAt(int clientWidth, int clientHeight, int dpi) {
  const auto scaled = [dpi](int value) { return ScaleToDpi(value, dpi); };
  const int top = scaled(kHeaderTop);
  const int height = scaled(kHeaderControlHeight);
  const int labelLeft = scaled(kLabelLeft);
  const int treeLeft = scaled(kTreeLeft);
  const int treeTop = scaled(kTreeTop);
  MainWindowChildren children;
  children.label = At(labelLeft, top, clientWidth - labelLeft - scaled(kLabelRightMargin), height);
  children.pin = At(clientWidth - scaled(kPinRightOffset), top, scaled(kButtonWidth), height);
  children.openButton =
      At(clientWidth - scaled(kOpenRightOffset), top, scaled(kButtonWidth), height);
  children.autoPaste = At(scaled(kAutoPasteLeft), scaled(kAutoPasteTop), scaled(kAutoPasteWidth),
                          scaled(kAutoPasteHeight));
  children.tree = At(treeLeft, treeTop, std::max(0, clientWidth - 2 * treeLeft),
                     std::max(0, clientHeight - treeTop - treeLeft));
  return children;
}

CDisplayState::Settings DisplaySettingsAt(const CDisplayState::Settings& design, int dpi) {
  CDisplayState::Settings scaled = design;
  scaled.width = ScaleToDpi(design.width, dpi);
  scaled.expandedHeight = ScaleToDpi(design.expandedHeight, dpi);
  return scaled;
}
