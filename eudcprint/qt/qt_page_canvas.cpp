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
  return {TenthsOfMmToPixels(point.x, fonts_.dotsPerInch), TenthsOfMmToPixels(-point.y, fonts_.dotsPerInch)};
}

void QtPageCanvas::Text(CanvasPoint topLeft, std::string_view cp950) {
  const QPointF origin = ToDevice(topLeft);
  painter_.setFont(fonts_.text);
  painter_.setPen(QPen(Qt::black));
  painter_.drawText(QPointF(origin.x(), origin.y() + fonts_.textAscent), ToQString(codec_, cp950));
}

std::int32_t QtPageCanvas::TextWidth(std::string_view cp950) {
  const qreal pixels = QFontMetricsF(fonts_.text, painter_.device()).horizontalAdvance(ToQString(codec_, cp950));
  return static_cast<std::int32_t>(std::lround(pixels * 254.0 / fonts_.dotsPerInch));
}

void QtPageCanvas::EudcGlyph(char16_t privateUse, CanvasPoint cell) {
  // The glyph of the EUDC file alone: a code the file lacks leaves its box empty, as no other
  // font may fill it.
  const quint32 glyph =
      fonts_.character.isValid() ? fonts_.character.glyphIndexesForString(QString(QChar(privateUse))).value(0) : 0;
  if (glyph == 0) {
    ++missingGlyphs_;
    return;
  }
  QGlyphRun run;
  run.setRawFont(fonts_.character);
  run.setGlyphIndexes({glyph});
  run.setPositions({QPointF(0, 0)});
  const QPointF origin = ToDevice(cell);
  painter_.setPen(QPen(Qt::black));
  painter_.drawGlyphRun(QPointF(origin.x(), origin.y() + fonts_.characterAscent), run);
}

void QtPageCanvas::Rectangle(CanvasPoint corner, CanvasPoint oppositeCorner) {
  painter_.setPen(QPen(Qt::black, 0));  // the thin default pen: one device pixel
  painter_.setBrush(Qt::NoBrush);       // hollow: only the outline
  painter_.drawRect(QRectF(ToDevice(corner), ToDevice(oppositeCorner)).normalized());
}

void QtPageCanvas::Line(CanvasPoint from, CanvasPoint to, std::int32_t penWidth) {
  painter_.setPen(QPen(Qt::black, TenthsOfMmToPixels(penWidth, fonts_.dotsPerInch), Qt::SolidLine, Qt::RoundCap));
  painter_.drawLine(ToDevice(from), ToDevice(to));
}

}  // namespace pictor::app
