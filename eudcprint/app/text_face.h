// The typeface of the catalogue's texts: 細明體 where it is installed, else the Traditional-Chinese
// Ming (serif) face that fontconfig offers in its place.
#pragma once

#include <QString>

namespace pictor::app {

// `defaultFace` is 細明體, decoded from the string table. Empty when fontconfig knows no face that
// covers Traditional Chinese (Qt's default font is used then).
QString CatalogueTextFamily(const QString& defaultFace);

}  // namespace pictor::app
