#include "qt/text_face.h"

#include "platform/posix/fontconfig_faces.h"

namespace pictor::app {

QString CatalogueTextFamily(const QString& default_face) {
  const auto family = posix::InstalledOrMingFamily(default_face.toStdString());
  return family ? QString::fromStdString(*family) : QString();
}

}  // namespace pictor::app
