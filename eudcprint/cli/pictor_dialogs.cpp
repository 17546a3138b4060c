// pictor-dialogs: the two choices of the print program, as it makes them when it starts: the
// font-setting dialog (設定字形), then, after OK, the print-range dialog (設定列印範圍). Prints what
// was chosen, and on exit puts back a link that choosing 標準造字 set aside, as the program does
// when its window closes. On Linux the registry is the file $PICTOR_REGISTRY (default
// $XDG_CONFIG_HOME/pictor/registry.reg). The command line: pictor-dialogs --help.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "cli/dialogs_options.h"
#include "core/association_choice.h"
#include "platform/posix/posix_platform.h"
#include "qt/font_setting_dialog.h"
#include "qt/print_range_dialog.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_translations.h"
#include "toolkit_version.h"

namespace {

// Saves every dialog of these classes shortly after it is shown.
class ScreenshotTaker : public QObject {
 public:
  explicit ScreenshotTaker(QString folder) : folder_(std::move(folder)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      QString name;
      if (qobject_cast<pictor::app::FontSettingDialog*>(watched)) name = "pictor-font-setting.png";
      if (qobject_cast<pictor::app::PrintRangeDialog*>(watched)) name = "pictor-print-range.png";
      if (!name.isEmpty()) {
        auto* dialog = static_cast<QWidget*>(watched);
        QTimer::singleShot(500, dialog, [dialog, path = QDir(folder_).filePath(name)] {
          const QPixmap shot = dialog->screen()->grabWindow(dialog->winId());
          if (shot.save(path)) std::printf("saved %s\n", path.toUtf8().constData());
          std::fflush(stdout);
        });
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString folder_;
};

}  // namespace

int main(int argc, char** argv) {
  // --help and --version are answered before a display is needed.
  const auto early = pictor::cli::ParseDialogsOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (early.options.help || early.options.version) {
    return *pictor::cli::AnswerStandardOptions(pictor::cli::DialogsHelp(), TOOLKIT_VERSION, early.options.help,
                                               early.options.version, early.error);
  }
  QApplication application(argc, argv);
  pictor::app::InstallQtTranslations(application);
  // The arguments Qt left, its own options taken out.
  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  const auto parsed = pictor::cli::ParseDialogsOptions(arguments);
  if (const auto status =
          pictor::cli::AnswerStandardOptions(pictor::cli::DialogsHelp(), TOOLKIT_VERSION, false, false, parsed.error)) {
    return *status;
  }
  std::unique_ptr<ScreenshotTaker> taker;
  if (!parsed.options.screenshots.empty()) {
    taker = std::make_unique<ScreenshotTaker>(QString::fromStdString(parsed.options.screenshots));
    application.installEventFilter(taker.get());
  }

  try {
    pictor::posix::PosixPlatform platform;
    pictor::app::QtMessageBoxes messages;
    const pictor::PictorPorts ports = platform.AllPorts(messages);
    pictor::ProgramState state;
    pictor::InitEudcSupport(state, ports);

    pictor::app::QtFontSettingDialogPort font_dialog;
    pictor::app::QtPrintRangeDialogPort range_dialog;
    int status = 1;
    if (pictor::ChooseAssociation(state, ports, font_dialog)) {
      const pictor::EudcAssociation& chosen = state.current_association;
      std::printf("association: %s\nEUDC file: %s\nopened as: %s\n", platform.ToUtf8(chosen.displayName.View()).c_str(),
                  platform.ToUtf8(chosen.eudcFilePath.View()).c_str(), platform.ToUtf8(chosen.font_file_path).c_str());
      if (state.saved_default_link.pending_restore == 1) {
        std::printf("link of %s set aside until exit\n", platform.ToUtf8(state.saved_default_link.face_name).c_str());
      }
      std::fflush(stdout);
      const bool ranged = pictor::RunPrintRangeDialog(state, messages, range_dialog);
      const pictor::PrintRange& range = state.print_range;
      std::printf("print range%s: %s %04X-%04X, first index %u, count %u\n", ranged ? "" : " (cancelled)",
                  range.printAll == 1 ? "all" : "codes", range.start_code, range.end_code, range.firstIndex,
                  range.count);
      const pictor::InputMethodList& methods = state.input_methods.input_methods;
      for (std::size_t i = 0; i < methods.count; ++i) {
        std::printf("annotate %s: %d\n", platform.ToUtf8(methods.records[i].layoutText.View()).c_str(),
                    state.input_methods.annotate_flags[i]);
      }
      status = 0;
    } else {
      std::puts("font setting cancelled");
    }
    pictor::RestoreDefaultLink(state, ports);
    return status;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pictor-dialogs: %s\n", error.what());
    return 1;
  }
}
