// pictor: prints catalogues of the user-defined characters of an EUDC font association. The
// window opens with the font-setting dialog on top; a confirmed choice opens the range dialog.
//
//   pictor [DOCUMENT]
//
// On Linux the registry is the file $PICTOR_REGISTRY (default $XDG_CONFIG_HOME/pictor/registry.reg).
#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/main_frame.h"
#include "qt/qt_translations.h"
#include "qt/termination_watch.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  pictor::app::InstallQtTranslations(application);
  const QString title = pictor::app::FromCp950(pictor::LoadStringResource(pictor::kApplicationTitleId));
  std::unique_ptr<pictor::posix::PosixPlatform> platform;
  try {
    platform = std::make_unique<pictor::posix::PosixPlatform>();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, title, QString::fromLocal8Bit(error.what()));
    return 1;
  }

  pictor::app::MainFrame frame(*platform);
  // A link set aside for the system default goes back however the program ends its loop, and when
  // the system asks it to end.
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &frame, [&frame] { frame.RestoreLinks(); });
  const pictor::app::TerminationWatch termination(frame);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 2) {
    QMessageBox::critical(nullptr, title, "usage: pictor [DOCUMENT]");
    return 2;
  }
  if (arguments.size() == 2 && !frame.OpenDocument(arguments[1])) {
    QMessageBox::critical(nullptr, title, arguments[1]);
    return 1;
  }
  frame.show();
  frame.Start();
  if (frame.Ending()) return 0;  // ended while the start-up dialogs were open
  return QApplication::exec();
}
