#include "win32ui/printing/gdi_page_canvas.h"

#include "core/page_fonts.h"
#include "win32ui/printing/page_font_objects.h"

namespace pictor::win32ui {

GdiPageCanvas::GdiPageCanvas(HDC dc, const PrivateFontFile* eudc)
    : dc_(dc), text_font_(CreateRequestedFont(TextFontRequest())) {
  // The association names the face whose EUDC link would give the characters; here they come
  // from the linked file itself, so its font is asked for by the file's own family name, with the
  // character font's settings.
  if (eudc != nullptr && eudc->Loaded()) {
    character_font_ = CreateRequestedFont(CharacterFontRequest({}), eudc->FamilyName());
    if (character_font_ != nullptr) {
      const SelectedObject probe(dc_, character_font_.get());
      // Another font of the same family name must never stand in for the file.
      if (!eudc->IsSelectedIn(dc_)) character_font_.reset();
    }
  }
  previous_brush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  previous_font_ = SelectObject(dc_, text_font_.get());
}

GdiPageCanvas::~GdiPageCanvas() {
  SelectObject(dc_, previous_font_);
  SelectObject(dc_, previous_brush_);
}

void GdiPageCanvas::Text(CanvasPoint top_left, std::string_view cp950) {
  TextOutA(dc_, top_left.x, top_left.y, cp950.data(), static_cast<int>(cp950.size()));
}

std::int32_t GdiPageCanvas::TextWidth(std::string_view cp950) {
  SIZE size{};
  GetTextExtentPoint32A(dc_, cp950.data(), static_cast<int>(cp950.size()), &size);
  return size.cx;
}

void GdiPageCanvas::Rectangle(CanvasPoint corner, CanvasPoint opposite_corner) {
  ::Rectangle(dc_, corner.x, corner.y, opposite_corner.x, opposite_corner.y);
}

void GdiPageCanvas::Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) {
  if (pen_ == nullptr || pen_width != pen_width_) {
    pen_.reset(CreatePen(PS_SOLID, pen_width, RGB(0, 0, 0)));
    pen_width_ = pen_width;
  }
  // The boxes keep the context's default pen: this one is selected for the line only.
  const SelectedObject pen(dc_, pen_.get());
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiPageCanvas::EudcGlyph(char16_t private_use, CanvasPoint cell) {
  if (character_font_ == nullptr) {
    ++missing_glyphs_;
    return;
  }
  const SelectedObject font(dc_, character_font_.get());
  const wchar_t character = static_cast<wchar_t>(private_use);
  WORD glyph = 0xFFFF;
  // A code the file lacks is marked, not mapped to the file's empty glyph or another font's.
  if (GetGlyphIndicesW(dc_, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != 1 || glyph == 0xFFFF) {
    ++missing_glyphs_;
    return;
  }
  ExtTextOutW(dc_, cell.x, cell.y, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<const wchar_t*>(&glyph), 1, nullptr);
}

}  // namespace pictor::win32ui
