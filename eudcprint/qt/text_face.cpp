#include "qt/text_face.h"

#include "platform/posix/fontconfig_faces.h"

namespace pictor::app {

QString CatalogueTextFamily(const QString& defaultFace) {
  const auto family = posix::InstalledOrMingFamily(defaultFace.toStdString());
  return family ? QString::fromStdString(*family) : QString();
}

}  // namespace pictor::app
