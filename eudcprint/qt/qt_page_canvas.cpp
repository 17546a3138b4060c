#include "qt/qt_page_canvas.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPen>
#include <cmath>

#include "core/code_space.h"

namespace pictor::app {
namespace {

constexpr char16_t kPrivateUseBase = 0xE000;

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

QList<quint32> QtPageCanvas::CharacterGlyphs(std::string_view cp950) const {
  // A user-defined code is its private-use code point (Big5ToOrdinal + 0xE000), looked up in the
  // EUDC file alone; anything else goes through the codec, and the file decides as well.
  QString text;
  for (std::size_t i = 0; i < cp950.size(); ++i) {
    const auto lead = static_cast<unsigned char>(cp950[i]);
    if (lead >= 0x81 && i + 1 < cp950.size()) {
      const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(cp950[i + 1]));
      if (const auto ordinal = Big5ToOrdinal(code)) {
        text += QChar(static_cast<char16_t>(kPrivateUseBase + *ordinal));
        ++i;
        continue;
      }
      text += ToQString(codec_, cp950.substr(i, 2));
      ++i;
      continue;
    }
    text += ToQString(codec_, cp950.substr(i, 1));
  }
  if (!fonts_.character.isValid()) return QList<quint32>(text.size(), 0);
  return fonts_.character.glyphIndexesForString(text);
}

void QtPageCanvas::Text(CanvasPoint topLeft, FontRole role, std::string_view cp950) {
  const QPointF origin = ToDevice(topLeft);
  if (role == FontRole::kText) {
    painter_.setFont(fonts_.text);
    painter_.setPen(QPen(Qt::black));
    painter_.drawText(QPointF(origin.x(), origin.y() + fonts_.textAscent), ToQString(codec_, cp950));
    return;
  }
  const QList<quint32> glyphs = CharacterGlyphs(cp950);
  const QList<QPointF> advances = fonts_.character.advancesForGlyphIndexes(glyphs);
  QList<quint32> drawn;
  QList<QPointF> positions;
  qreal x = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    if (glyphs[i] == 0) {
      ++missingGlyphs_;  // the box stays empty: no other font may fill it
    } else {
      drawn.append(glyphs[i]);
      positions.append(QPointF(x, 0));
    }
    x += advances.value(i).x();
  }
  if (drawn.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(fonts_.character);
  run.setGlyphIndexes(drawn);
  run.setPositions(positions);
  painter_.setPen(QPen(Qt::black));
  painter_.drawGlyphRun(QPointF(origin.x(), origin.y() + fonts_.characterAscent), run);
}

std::int32_t QtPageCanvas::TextWidth(FontRole role, std::string_view cp950) {
  qreal pixels = 0;
  if (role == FontRole::kText) {
    pixels = QFontMetricsF(fonts_.text, painter_.device()).horizontalAdvance(ToQString(codec_, cp950));
  } else {
    for (const QPointF& advance : fonts_.character.advancesForGlyphIndexes(CharacterGlyphs(cp950))) {
      pixels += advance.x();
    }
  }
  return static_cast<std::int32_t>(std::lround(pixels * 254.0 / fonts_.dotsPerInch));
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
