#include "qt/qt_page_canvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPen>
#include <cmath>

namespace pictor::app {
namespace {

QString ToQString(const regfile::Cp950Codec& codec, std::string_view cp950) {
  const std::u16string utf16 = codec.ToUtf16(cp950);
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

}  // namespace

QtPageCanvas::QtPageCanvas(QPainter& painter, const CatalogueFonts& fonts, const regfile::Cp950Codec& codec)
    : painter_(painter), fonts_(fonts), codec_(codec) {}

QPointF QtPageCanvas::ToDevice(CanvasPoint point) const {
  return {TenthsOfMmToPixels(point.x, fonts_.dots_per_inch), TenthsOfMmToPixels(-point.y, fonts_.dots_per_inch)};
}

void QtPageCanvas::Text(CanvasPoint top_left, std::string_view cp950) {
  const QPointF origin = ToDevice(top_left);
  painter_.setFont(fonts_.text);
  painter_.setPen(QPen(Qt::black));
  painter_.drawText(QPointF(origin.x(), origin.y() + fonts_.text_ascent), ToQString(codec_, cp950));
}

std::int32_t QtPageCanvas::TextWidth(std::string_view cp950) {
  const qreal pixels = QFontMetricsF(fonts_.text, painter_.device()).horizontalAdvance(ToQString(codec_, cp950));
  return static_cast<std::int32_t>(std::lround(pixels * 254.0 / fonts_.dots_per_inch));
}

void QtPageCanvas::EudcGlyph(char16_t private_use, CanvasPoint cell) {
  // The glyph of the EUDC file alone: a code the file lacks leaves its box empty, as no other
  // font may fill it.
  const quint32 glyph =
      fonts_.character.isValid() ? fonts_.character.glyphIndexesForString(QString(QChar(private_use))).value(0) : 0;
  if (glyph == 0) {
    ++missing_glyphs_;
    return;
  }
  QGlyphRun run;
  run.setRawFont(fonts_.character);
  run.setGlyphIndexes({glyph});
  run.setPositions({QPointF(0, 0)});
  const QPointF origin = ToDevice(cell);
  painter_.setPen(QPen(Qt::black));
  painter_.drawGlyphRun(QPointF(origin.x(), origin.y() + fonts_.character_ascent), run);
}

void QtPageCanvas::Rectangle(CanvasPoint corner, CanvasPoint opposite_corner) {
  painter_.setPen(QPen(Qt::black, 0));  // the thin default pen: one device pixel
  painter_.setBrush(Qt::NoBrush);       // hollow: only the outline
  painter_.drawRect(QRectF(ToDevice(corner), ToDevice(opposite_corner)).normalized());
}

void QtPageCanvas::Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) {
  painter_.setPen(QPen(Qt::black, TenthsOfMmToPixels(pen_width, fonts_.dots_per_inch), Qt::SolidLine, Qt::RoundCap));
  painter_.drawLine(ToDevice(from), ToDevice(to));
}

}  // namespace pictor::app
