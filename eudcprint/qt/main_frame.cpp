#include "qt/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QShortcut>

#include "core/shell_resources.h"
#include "core/shell_rules.h"
#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/catalogue_view.h"
#include "qt/preview_window.h"
#include "qt/printing_box.h"
#include "qt/text_face.h"

namespace pictor::app {
namespace {

int QtKeyOf(std::uint16_t virtualKey) {
  switch (virtualKey) {
    case kVkBack:
      return Qt::Key_Backspace;
    case kVkInsert:
      return Qt::Key_Insert;
    case kVkDelete:
      return Qt::Key_Delete;
    case kVkF6:
      return Qt::Key_F6;
    default:
      return virtualKey;  // 'A'-'Z' and '0'-'9' are the same codes in Qt
  }
}

QKeySequence SequenceOf(const Accelerator& accelerator) {
  int modifiers = 0;
  if (accelerator.modifiers & kAccelControl) modifiers |= Qt::CTRL;
  if (accelerator.modifiers & kAccelShift) modifiers |= Qt::SHIFT;
  if (accelerator.modifiers & kAccelAlt) modifiers |= Qt::ALT;
  return QKeySequence(modifiers | QtKeyOf(accelerator.virtualKey));
}

// The name of the print-to-file dialog's default file, with the extension of what is written.
QString PrintToFileName() {
  return QFileInfo(FromCp950(LoadStringResource(kPrintToFileNameId))).completeBaseName() + ".pdf";
}

}  // namespace

MainFrame::MainFrame(posix::PosixPlatform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), ports_(platform.AllPorts(messages_)) {
  messages_.SetOwner(this);
  view_ = new CatalogueView(state_.currentAssociation, this);
  setCentralWidget(view_);
  BuildMenu();
  BuildAccelerators();
  resize(640, 480);
  shell_ = std::make_unique<PictorShell>(state_, ports_, fontDialog_, rangeDialog_, *this);
  UpdateCommandStates();
}

MainFrame::~MainFrame() = default;

void MainFrame::BuildMenu() {
  for (const MenuPopup& popup : kMainMenu) {
    QMenu* menu = menuBar()->addMenu(FromCp950(popup.text));
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    for (const MenuItem& item : popup.items) {
      if (item.command == 0) {
        menu->addSeparator();
        continue;
      }
      // The text after a tab shows the accelerator; the key itself is the accelerator table's.
      QAction* action = menu->addAction(FromCp950(item.text));
      const std::uint16_t command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { SendCommand(command); });
      actions_[command] = action;
    }
  }
}

void MainFrame::BuildAccelerators() {
  for (const Accelerator& accelerator : kAccelerators) {
    auto* shortcut = new QShortcut(SequenceOf(accelerator), this);
    const std::uint16_t command = accelerator.command;
    connect(shortcut, &QShortcut::activated, this, [this, command] { SendCommand(command); });
  }
}

void MainFrame::Start() {
  shell_->Start();
  UpdateCommandStates();
}

void MainFrame::UpdateCommandStates() {
  for (const auto& [command, action] : actions_) action->setEnabled(shell_->IsEnabled(command));
}

bool MainFrame::SendCommand(std::uint16_t command) {
  const bool done = shell_->Execute(command);
  UpdateCommandStates();
  return done;
}

QAction* MainFrame::MenuAction(std::uint16_t command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void MainFrame::SetDocumentTitle(std::string_view cp950) {
  documentTitle_ = FromCp950(cp950);
  setWindowTitle(FromCp950(FrameCaption(cp950)));
}

void MainFrame::InvalidateView() { view_->update(); }

void MainFrame::RunWindowCommand(std::uint16_t command) {
  switch (command) {
    case ID_FILE_OPEN:
      ChooseDocumentToOpen();
      break;
    case ID_FILE_SAVE:
      SaveDocument();
      break;
    case ID_FILE_PRINT:
      Print(true);
      break;
    case ID_FILE_PRINT_DIRECT:
      Print(false);
      break;
    case ID_FILE_PRINT_PREVIEW:
      PrintPreview();
      break;
    case ID_FILE_PRINT_SETUP: {
      QPageSetupDialog dialog(&printer_, this);
      dialog.exec();
      break;
    }
    case ID_APP_EXIT:
      close();
      break;
    default:
      break;
  }
}

CatalogueState MainFrame::Catalogue() const {
  return {state_.currentAssociation, state_.printRange, state_.inputMethods.inputMethods,
          state_.inputMethods.annotateFlags, *state_.inputMethods.rootTables};
}

CatalogueFiles MainFrame::Files() const {
  static const QString textFamily = CatalogueTextFamily(FromCp950(kDefaultFaceName));
  return {QString::fromStdString(platform_.LocalPath(state_.currentAssociation.fontFilePath)), textFamily};
}

void MainFrame::Print(bool withDialog) {
  const CatalogueState catalogue = Catalogue();
  printer_.setDocName(documentTitle_);
  printer_.setCreator(QApplication::applicationName());
  if (withDialog) {
    // Printing to a file offers the document's name in the folder the program was started in.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
      printer_.setOutputFileName(QDir::current().filePath(documentTitle_ + ".pdf"));
    }
    // The dialog offers every page of the job.
    const PageLayout layout = LayoutFor(printer_, catalogue);
    printer_.setPrintRange(QPrinter::AllPages);
    printer_.setFromTo(1, layout.pageCount);
    QPrintDialog dialog(&printer_, this);
    dialog.setMinMax(1, layout.pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return;
    if (printer_.printRange() != QPrinter::PageRange) printer_.setFromTo(0, 0);
  }
  // Printing to a file writes PDF; without a file named yet, ask for one.
  if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
    const QString file = QFileDialog::getSaveFileName(this, FromCp950(LoadStringResource(kPrintToFileCaptionId)),
                                                      PrintToFileName(), "PDF (*.pdf)");
    if (file.isEmpty()) return;
    printer_.setOutputFileName(file);
  }
  const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat;
  const QString port = toFile ? printer_.outputFileName() : printer_.printerName();
  PrintingBox box(documentTitle_, toFile ? QString("PDF") : printer_.printerName(), port, toFile, this);
  box.show();
  const std::int32_t first = std::max(1, printer_.fromPage());
  box.ShowPage(static_cast<std::uint32_t>(first));
  const PrintedCatalogue printed =
      PrintCatalogue(printer_, catalogue, Files(), platform_.Codec(), [&](std::int32_t done, std::int32_t total) {
        if (done < total) return box.ShowPage(static_cast<std::uint32_t>(first + done));
        return !box.Cancelled();
      });
  box.hide();
  if (printed.failure != PrintFailure::kNone && printed.failure != PrintFailure::kCancelled) {
    messages_.Show(kPrintFailed, LoadStringResource(kApplicationTitleId), MessageIcon::kStop);
  }
}

void MainFrame::PrintPreview() {
  // The preview shows every page, whatever range the last print dialog chose.
  const int from = printer_.fromPage();
  const int to = printer_.toPage();
  printer_.setFromTo(0, 0);
  bool printNext = false;
  {
    PreviewWindow preview(
        printer_, [this](QPrinter& target) { PrintCatalogue(target, Catalogue(), Files(), platform_.Codec()); },
        windowTitle(), this);
    preview_ = &preview;
    preview.exec();
    preview_ = nullptr;
    printNext = preview.PrintRequested();
  }
  printer_.setFromTo(from, to);
  if (printNext) SendCommand(ID_FILE_PRINT);
}

void MainFrame::ChooseDocumentToOpen() {
  const QString path = QFileDialog::getOpenFileName(this);
  if (!path.isEmpty() && !OpenDocument(path)) {
    messages_.Show(kDocumentFileFailed, LoadStringResource(kApplicationTitleId), MessageIcon::kStop);
  }
}

bool MainFrame::OpenDocument(const QString& path) {
  // The document holds nothing: opening only checks that the file can be read.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  SetDocumentTitle(ToCp950(QFileInfo(path).fileName()));
  return true;
}

void MainFrame::SaveDocument() {
  // Always asked, even for an opened document: the document has no content, so saving over the
  // file it was opened from would empty that file without a word.
  const QString path = QFileDialog::getSaveFileName(this, QString(), documentTitle_);
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    messages_.Show(kDocumentFileFailed, LoadStringResource(kApplicationTitleId), MessageIcon::kStop);
    return;
  }
  SetDocumentTitle(ToCp950(QFileInfo(path).fileName()));
}

void MainFrame::closeEvent(QCloseEvent* event) {
  shell_->RestoreLinks();
  event->accept();
}

}  // namespace pictor::app
