#include "qt/qt_window_canvas.h"

#include <QFontMetricsF>
#include <cmath>

#include "core/eudc_association.h"
#include "qt/big5_qt.h"
#include "qt/text_face.h"

namespace pictor::app {

QFont ScreenFont(std::string_view display_name, int cell_height) {
  QFont font(CatalogueTextFamily(FromCp950(CharacterFaceName(display_name))));
  // Measured large, then sized so that ascent plus descent fill the cell.
  constexpr int kProbe = 1000;
  font.setPixelSize(kProbe);
  const QFontMetricsF probe(font);
  const qreal height = probe.ascent() + probe.descent();
  if (height > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(kProbe * cell_height / height))));
  return font;
}

QtWindowCanvas::QtWindowCanvas(QPainter& painter, const QWidget& view, const QFont& font)
    : painter_(painter), view_(view), font_(font) {
  painter_.setFont(font_);
  painter_.setPen(Qt::black);
}

void QtWindowCanvas::Text(CanvasPoint top_left, std::string_view cp950) {
  const QFontMetricsF metrics(font_);
  painter_.drawText(QPointF(top_left.x, top_left.y + metrics.ascent()), FromCp950(cp950));
}

std::int32_t QtWindowCanvas::TextWidth(std::string_view cp950) {
  return static_cast<std::int32_t>(std::lround(QFontMetricsF(font_).horizontalAdvance(FromCp950(cp950))));
}

std::int32_t QtWindowCanvas::LineHeight() {
  const QFontMetricsF metrics(font_);
  return static_cast<std::int32_t>(std::lround(metrics.ascent() + metrics.descent()));
}

std::int32_t QtWindowCanvas::ClientWidth() { return view_.width(); }

std::int32_t QtWindowCanvas::ClientHeight() { return view_.height(); }

}  // namespace pictor::app
