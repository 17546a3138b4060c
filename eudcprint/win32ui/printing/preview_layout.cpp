#include "win32ui/printing/preview_layout.h"

#include <algorithm>
#include <cmath>

namespace pictor::win32ui {
namespace {

// Around the sheets, and between two of them.
constexpr LONG kMargin = 12;
constexpr LONG kGap = 16;

LONG Scaled(std::int32_t tenths, double pixels_per_tenth) {
  return static_cast<LONG>(std::lround(tenths * pixels_per_tenth));
}

// A sheet's size, rounded down so that fitting sheets never pass the view's edge.
LONG ScaledDown(std::int32_t tenths, double pixels_per_tenth) {
  return static_cast<LONG>(std::floor(tenths * pixels_per_tenth));
}

// Where content of `size` starts in a view of `room`: centred while it fits, else scrolled.
LONG Origin(LONG room, LONG size, LONG scroll) {
  if (size <= room) return (room - size) / 2;
  return -std::clamp<LONG>(scroll, 0, size - room);
}

}  // namespace

PreviewLayout LayOutPreview(SIZE view, const PaperGeometry& paper, int sheets, double zoom, POINT scroll) {
  PreviewLayout layout;
  if (sheets < 1 || paper.paper.width <= 0 || paper.paper.height <= 0) return layout;
  const double room_width = std::max<double>(1, view.cx - 2 * kMargin - (sheets - 1) * kGap);
  const double room_height = std::max<double>(1, view.cy - 2 * kMargin);
  const double fit = std::min(room_width / (sheets * paper.paper.width), room_height / paper.paper.height);
  const double scale = fit * zoom;
  const LONG width = std::max<LONG>(1, ScaledDown(paper.paper.width, scale));
  const LONG height = std::max<LONG>(1, ScaledDown(paper.paper.height, scale));
  layout.content = {2 * kMargin + sheets * width + (sheets - 1) * kGap, 2 * kMargin + height};
  const LONG left = Origin(view.cx, layout.content.cx, scroll.x) + kMargin;
  const LONG top = Origin(view.cy, layout.content.cy, scroll.y) + kMargin;
  for (int i = 0; i < sheets; ++i) {
    PreviewSheet sheet;
    sheet.paper = {left + i * (width + kGap), top, left + i * (width + kGap) + width, top + height};
    sheet.area.left = sheet.paper.left + Scaled(paper.area_left, scale);
    sheet.area.top = sheet.paper.top + Scaled(paper.area_top, scale);
    sheet.area.right = sheet.area.left + Scaled(paper.area.width, scale);
    sheet.area.bottom = sheet.area.top + Scaled(paper.area.height, scale);
    layout.sheets.push_back(sheet);
  }
  return layout;
}

}  // namespace pictor::win32ui
