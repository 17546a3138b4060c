// The program's window as the core draws on it: GDI texts in the view's font, in pixels.
#pragma once

#include <windows.h>

#include "core/page_canvas.h"

namespace pictor::win32ui {

class GdiWindowCanvas : public WindowCanvas {
 public:
  // `dc` has the view's font selected; `client` is the view's client area.
  GdiWindowCanvas(HDC dc, const RECT& client) : dc_(dc), client_(client) {}

  void Text(CanvasPoint top_left, std::string_view cp950) override;
  std::int32_t TextWidth(std::string_view cp950) override;
  std::int32_t LineHeight() override;
  std::int32_t ClientWidth() override { return client_.right; }
  std::int32_t ClientHeight() override { return client_.bottom; }

 private:
  HDC dc_;
  RECT client_;
};

// The view's font: the given cell height in pixels, in `face` (code page 950), the Big5 character
// set, as the catalogue's fonts are made.
HFONT CreateViewFont(std::string_view face, int cell_height);

}  // namespace pictor::win32ui
