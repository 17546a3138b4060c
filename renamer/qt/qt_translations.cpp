#include "qt/qt_translations.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "core/form_texts.h"

bool LoadQtTranslations(QCoreApplication& app) {
  const std::string_view locale = quillon::kTextLanguage.locale;
  auto translator = std::make_unique<QTranslator>();
  const QString name = "qtbase_" + QString::fromLatin1(locale.data(), static_cast<qsizetype>(locale.size()));
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  translator->setParent(&app);  // the application owns it from here
  return QCoreApplication::installTranslator(translator.release());
}
