#include "qt/qt_translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pictor::app {

bool InstallQtTranslations(QCoreApplication& application) {
  // The resources' language, 1028: Chinese as written in Taiwan.
  const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
  auto* translator = new QTranslator(&application);  // lives as long as the application
  if (!translator->load(taiwan, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace pictor::app
