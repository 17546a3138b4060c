// The print program's frame window: menu 128, accelerators 128, the view, and what only a
// window can do for the frame's commands (print, print setup, preview, the file dialogs, exit).
// Every rule of the commands is the core shell's; this class maps them onto Qt.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <map>
#include <memory>

#include "core/pictor_shell.h"
#include "platform/posix/posix_platform.h"
#include "qt/catalogue_printer.h"
#include "qt/font_setting_dialog.h"
#include "qt/print_range_dialog.h"
#include "qt/qt_message_boxes.h"

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

  // The menu item of a command (null if the menu has none).
  QAction* MenuAction(std::uint16_t command) const;
  const ProgramState& State() const { return state_; }
  QString DocumentTitle() const { return documentTitle_; }
  QPrinter& Printer() { return printer_; }
  // The preview window while it is open.
  PreviewWindow* Preview() const { return preview_; }
  // Puts back the link the font choice set aside (closing, quitting).
  void RestoreLinks() { shell_->RestoreLinks(); }

  // ShellWindowPort.
  void SetDocumentTitle(std::string_view cp950) override;
  void InvalidateView() override;
  void RunWindowCommand(std::uint16_t command) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildAccelerators();
  void UpdateCommandStates();
  void Print(bool withDialog);
  void PrintPreview();
  void SaveDocument();
  void ChooseDocumentToOpen();
  CatalogueState Catalogue() const;
  CatalogueFiles Files() const;

  posix::PosixPlatform& platform_;
  QtMessageBoxes messages_;
  PictorPorts ports_;
  ProgramState state_;
  QtFontSettingDialogPort fontDialog_{this};
  QtPrintRangeDialogPort rangeDialog_{this};
  QPrinter printer_{QPrinter::HighResolution};
  CatalogueView* view_ = nullptr;
  PreviewWindow* preview_ = nullptr;
  std::map<std::uint16_t, QAction*> actions_;
  QString documentTitle_;
  std::unique_ptr<PictorShell> shell_;
};

}  // namespace pictor::app
