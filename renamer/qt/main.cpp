#include <QApplication>

#include "core/table_loader.h"
#include "platform/native_machine.h"
#include "qt/qt_translations.h"
#include "qt/tform1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  LoadQtTranslations(app);
  quillon::NativeMachine machine = quillon::MakeNativeMachine();

  FormServices services;
  services.startup = machine.startup.get();
  services.files = machine.files.get();
  services.logs = machine.logs.get();
  services.clock = machine.clock.get();
  services.style = machine.style;
  services.table_path = quillon::ProgramFolder() + quillon::kRenameTableFileName;

  TForm1 form(services);
  form.show();
  return app.exec();
}
