// Where the preview puts its sheets: one or two side by side, together fitting the window at the
// first zoom step and larger by the model's factor after it, centred while they fit and scrolled
// when they do not.
#pragma once

#include <windows.h>

#include <vector>

#include "win32ui/printing/printer_settings.h"

namespace pictor::win32ui {

struct PreviewSheet {
  RECT paper;  // the sheet, in the view's pixels
  RECT area;   // its printable area, where the page is played
};

struct PreviewLayout {
  std::vector<PreviewSheet> sheets;
  SIZE content{};  // the sheets with their margins, for the scroll bars
};

// `sheets` of `paper` laid out in a view of `view` pixels, `zoom` times the fitting size,
// scrolled to `scroll` (clamped to the content).
PreviewLayout LayOutPreview(SIZE view, const PaperGeometry& paper, int sheets, double zoom, POINT scroll);

}  // namespace pictor::win32ui
