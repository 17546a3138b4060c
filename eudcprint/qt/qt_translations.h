// Qt's own dialogs and buttons (print, page setup, file choosers, message-box buttons) in
// Traditional Chinese, as the program's texts are: Qt's translations for Taiwan, where the
// system has them. The program's own texts are set as they are and take no translation, so they
// stay as the program gives them.
#pragma once

#include <QCoreApplication>

namespace pictor::app {

// False when the translations are not installed (Qt's dialogs then stay in English).
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace pictor::app
