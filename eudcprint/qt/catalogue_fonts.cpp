#include "qt/catalogue_fonts.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "core/page_canvas.h"

namespace pictor::app {
namespace {

// Fonts are measured at this size and scaled so that ascent plus descent fill the cell.
constexpr qreal kProbePixelSize = 1000;  // the character font is loaded at this size too

}  // namespace

CatalogueFonts LoadCatalogueFonts(const QString& eudc_font_file, const QString& text_family, double dots_per_inch) {
  CatalogueFonts fonts;
  fonts.dots_per_inch = dots_per_inch;

  fonts.eudc_file = std::make_shared<const EudcFontFile>(eudc_font_file);
  fonts.character = fonts.eudc_file->Glyphs();
  const qreal character_probe = fonts.character.ascent() + fonts.character.descent();
  if (fonts.character.isValid() && character_probe > 0) {
    const qreal character_pixels = TenthsOfMmToPixels(kCharacterFontHeight, dots_per_inch);
    fonts.character.setPixelSize(kProbePixelSize * character_pixels / character_probe);
    fonts.character_ascent = fonts.character.ascent();
  } else {
    fonts.character = QRawFont();
  }

  fonts.text = text_family.isEmpty() ? QFont() : QFont(text_family);
  fonts.text.setHintingPreference(QFont::PreferNoHinting);
  fonts.text.setPixelSize(static_cast<int>(kProbePixelSize));
  const QFontMetricsF probe(fonts.text);
  const qreal text_probe = probe.ascent() + probe.descent();
  const qreal text_pixels = TenthsOfMmToPixels(kTextFontHeight, dots_per_inch);
  fonts.text.setPixelSize(std::max(1, static_cast<int>(std::lround(kProbePixelSize * text_pixels / text_probe))));
  fonts.text_ascent = QFontMetricsF(fonts.text).ascent();
  return fonts;
}

}  // namespace pictor::app
