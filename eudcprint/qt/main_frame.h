// The print program's frame window: menu 128, accelerators 128 and the view, and what the platform
// offers the frame's commands: Qt's print, page setup and file dialogs, its printer, the printing
// box, the preview, closing. Every rule of the commands is the core shell's; this class maps them
// onto Qt.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <map>
#include <memory>

#include "core/pictor_shell.h"
#include "platform/posix/posix_platform.h"
#include "qt/font_setting_dialog.h"
#include "qt/print_range_dialog.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_print_target.h"

class QAction;

namespace pictor::app {

class CatalogueView;
class PreviewWindow;

class MainFrame : public QMainWindow, public ShellWindowPort {
  Q_OBJECT

 public:
  // Builds the frame over the platform's ports; checks the platform's EUDC support and finds the
  // input methods, as the frame's construction does.
  explicit MainFrame(posix::PosixPlatform& platform, QWidget* parent = nullptr);
  ~MainFrame() override;

  // After the window is shown: the font setting at once, then the range.
  void Start();
  // A command as a menu, an accelerator or another program sends it; false when refused.
  bool SendCommand(std::uint16_t command);
  // The document's file, for the open command of the command line; false when it cannot be read.
  bool OpenDocument(const QString& path);
  // Ends the program as 結束 does, from outside the window (a signal of the system): the link the
  // font choice set aside goes back, every window closes and every event loop ends.
  void EndProgram();

  // The menu item of a command (null if the menu has none).
  QAction* MenuAction(std::uint16_t command) const;
  const ProgramState& State() const { return state_; }
  QString DocumentTitle() const;
  QPrinter& QtPrinter() { return printer_; }
  // Whether EndProgram ran: the program goes no further.
  bool Ending() const { return ending_; }
  // The preview window while it is open.
  PreviewWindow* Preview() const { return preview_; }
  // Puts back the link the font choice set aside (closing, quitting).
  void RestoreLinks() { shell_->RestoreLinks(); }

  // ShellWindowPort.
  void SetCaption(std::string_view cp950) override;
  void InvalidateView() override;
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) override;
  void AskPageSetup() override;
  std::optional<ChosenFile> AskOpenPath() override;
  std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts) override;
  PrintTarget& Printer() override;
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts) override;
  void ShowPreview(PreviewModel& model, const PreviewPages& pages) override;
  void Close() override { close(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildAccelerators();
  void UpdateCommandStates();
  CatalogueFiles Files() const;

  posix::PosixPlatform& platform_;
  QtMessageBoxes messages_;
  PictorPorts ports_;
  ProgramState state_;
  QtFontSettingDialogPort font_dialog_{this};
  QtPrintRangeDialogPort range_dialog_{this};
  QPrinter printer_{QPrinter::HighResolution};
  std::unique_ptr<QtPrintTarget> print_target_;
  CatalogueView* view_ = nullptr;
  PreviewWindow* preview_ = nullptr;
  std::map<std::uint16_t, QAction*> actions_;
  std::unique_ptr<PictorShell> shell_;
  bool ending_ = false;
};

}  // namespace pictor::app
