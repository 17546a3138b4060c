// The page canvas over a QPainter on a printer (paper or PDF) or a print preview: 0.1 mm units,
// y upward from the printable area's top-left corner, mapped to the device's pixels.
#pragma once

#include <QPainter>
#include <cstdint>

#include "core/cp950_codec.h"
#include "core/page_canvas.h"
#include "qt/catalogue_fonts.h"

namespace pictor::app {

class QtPageCanvas final : public PageCanvas {
 public:
  // The painter's origin is the printable area's top-left corner, in device pixels at the
  // fonts' resolution.
  QtPageCanvas(QPainter& painter, const CatalogueFonts& fonts, const regfile::Cp950Codec& codec);

  void Text(CanvasPoint top_left, std::string_view cp950) override;
  std::int32_t TextWidth(std::string_view cp950) override;
  void Rectangle(CanvasPoint corner, CanvasPoint opposite_corner) override;
  void Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) override;

  // Characters drawn through this canvas whose glyph the EUDC font file lacks (their boxes stay
  // empty).
  std::int64_t MissingGlyphs() const { return missing_glyphs_; }

 protected:
  void EudcGlyph(char16_t private_use, CanvasPoint cell) override;

 private:
  QPointF ToDevice(CanvasPoint point) const;

  QPainter& painter_;
  const CatalogueFonts& fonts_;
  const regfile::Cp950Codec& codec_;
  std::int64_t missing_glyphs_ = 0;
};

}  // namespace pictor::app
