#include "win32ui/frame/gdi_window_canvas.h"

#include <string>

#include "win32ui/printing/wide_text.h"

namespace pictor::win32ui {

void GdiWindowCanvas::Text(CanvasPoint top_left, std::string_view cp950) {
  const std::wstring text = Cp950ToWide(cp950);
  TextOutW(dc_, top_left.x, top_left.y, text.c_str(), static_cast<int>(text.size()));
}

std::int32_t GdiWindowCanvas::TextWidth(std::string_view cp950) {
  const std::wstring text = Cp950ToWide(cp950);
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::int32_t GdiWindowCanvas::LineHeight() {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight;
}

HFONT CreateViewFont(std::string_view face, int cell_height) {
  LOGFONTW font{};
  font.lfHeight = cell_height;  // positive: the cell height, ascent and descent
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = CHINESEBIG5_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  const std::wstring name = Cp950ToWide(face).substr(0, LF_FACESIZE - 1);
  name.copy(font.lfFaceName, name.size());
  return CreateFontIndirectW(&font);
}

}  // namespace pictor::win32ui
