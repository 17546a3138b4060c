// The typeface of pictor's texts: the face asked for (細明體 for the catalogue, 新細明體 for the
// dialogs) where it is installed, else the Traditional-Chinese Ming (serif) face that fontconfig
// offers in its place.
#pragma once

#include <QString>

namespace pictor::app {

// Empty when fontconfig knows neither the face nor one that covers Traditional Chinese (Qt's
// default font is used then).
QString CatalogueTextFamily(const QString& default_face);

}  // namespace pictor::app
