// A catalogue page drawn through GDI onto a device context at MM_LOMETRIC's scale: 0.1 mm, x to
// the right, y upward, the origin at the printable area's top-left corner. Texts in the page's text
// font (細明體, or the Ming face the system puts in its place); boxes with the context's default
// pen and the stock hollow brush; each user-defined character by its glyph index in the font of
// the association's EUDC file alone.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/page_canvas.h"
#include "win32ui/printing/gdi_owners.h"
#include "win32ui/printing/private_font_file.h"

namespace pictor::win32ui {

class GdiPageCanvas final : public PageCanvas {
 public:
  // `dc` is at MM_LOMETRIC's scale (see SetLometricScale) with its origin at the printable area's
  // top-left corner. `eudc` is the
  // association's font file, loaded privately before this canvas creates its fonts; null or not
  // loaded, every character's box stays empty. The fonts are this page's: made here, and
  // deselected and deleted when the canvas goes.
  GdiPageCanvas(HDC dc, const PrivateFontFile* eudc);
  ~GdiPageCanvas() override;
  GdiPageCanvas(const GdiPageCanvas&) = delete;
  GdiPageCanvas& operator=(const GdiPageCanvas&) = delete;

  void Text(CanvasPoint top_left, std::string_view cp950) override;
  std::int32_t TextWidth(std::string_view cp950) override;
  void Rectangle(CanvasPoint corner, CanvasPoint opposite_corner) override;
  void Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) override;

  // Characters drawn on this page whose glyph the EUDC font file lacks (their boxes are empty).
  std::int64_t MissingGlyphs() const { return missing_glyphs_; }
  // Whether the characters come from the EUDC file's own font.
  bool HasCharacterFont() const { return character_font_ != nullptr; }

 protected:
  void EudcGlyph(char16_t private_use, CanvasPoint cell) override;

 private:
  HDC dc_;
  UniqueGdiObject text_font_;
  UniqueGdiObject character_font_;  // null when the file gives no font of its own
  UniqueGdiObject pen_;             // the last line's pen
  std::int32_t pen_width_ = -1;
  HGDIOBJ previous_font_ = nullptr;
  HGDIOBJ previous_brush_ = nullptr;
  std::int64_t missing_glyphs_ = 0;
};

}  // namespace pictor::win32ui
