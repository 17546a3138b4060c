#pragma once

#include <QCoreApplication>

// Loads Qt's own translation into the window's language, so that Qt's dialogs and buttons (the
// message boxes' OK, the folder chooser) speak it too; the window's own texts come from the core.
// False when the translation is not installed: Qt's texts then stay in English.
bool LoadQtTranslations(QCoreApplication& app);
