// The two fonts of a printed catalogue at one device resolution: the association's EUDC font file
// for the characters, and the text face for everything else. Heights are cell heights (ascent
// plus descent), as the page layout gives them, not point sizes.
#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>
#include <memory>

#include "qt/eudc_font_file.h"

namespace pictor::app {

struct CatalogueFonts {
  std::shared_ptr<const EudcFontFile> eudc_file;  // keeps the file's registration while in use
  QRawFont character;                             // every glyph of a user-defined character comes from here; invalid
                                                  // when the file could not be read, and then every box stays empty
  QFont text;
  qreal character_ascent = 0;  // device pixels
  qreal text_ascent = 0;
  double dots_per_inch = 0;
};

// Device pixels of a length in 0.1 mm.
inline qreal TenthsOfMmToPixels(double tenths, double dots_per_inch) { return tenths * dots_per_inch / 254.0; }

// Loads the EUDC font file (path as given, not case-folded) and the text face at the heights of
// the layout's character and text roles.
CatalogueFonts LoadCatalogueFonts(const QString& eudc_font_file, const QString& text_family, double dots_per_inch);

}  // namespace pictor::app
