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

CatalogueFonts LoadCatalogueFonts(const QString& eudcFontFile, const QString& textFamily, double dotsPerInch) {
  CatalogueFonts fonts;
  fonts.dotsPerInch = dotsPerInch;

  fonts.eudcFile = std::make_shared<const EudcFontFile>(eudcFontFile);
  fonts.character = fonts.eudcFile->Glyphs();
  const qreal characterProbe = fonts.character.ascent() + fonts.character.descent();
  if (fonts.character.isValid() && characterProbe > 0) {
    const qreal characterPixels = TenthsOfMmToPixels(kCharacterFontHeight, dotsPerInch);
    fonts.character.setPixelSize(kProbePixelSize * characterPixels / characterProbe);
    fonts.characterAscent = fonts.character.ascent();
  } else {
    fonts.character = QRawFont();
  }

  fonts.text = textFamily.isEmpty() ? QFont() : QFont(textFamily);
  fonts.text.setHintingPreference(QFont::PreferNoHinting);
  fonts.text.setPixelSize(static_cast<int>(kProbePixelSize));
  const QFontMetricsF probe(fonts.text);
  const qreal textProbe = probe.ascent() + probe.descent();
  const qreal textPixels = TenthsOfMmToPixels(kTextFontHeight, dotsPerInch);
  fonts.text.setPixelSize(std::max(1, static_cast<int>(std::lround(kProbePixelSize * textPixels / textProbe))));
  fonts.textAscent = QFontMetricsF(fonts.text).ascent();
  return fonts;
}

}  // namespace pictor::app
