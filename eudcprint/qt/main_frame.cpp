#include "qt/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QShortcut>

#include "core/shell_resources.h"
#include "qt/big5_qt.h"
#include "qt/catalogue_view.h"
#include "qt/preview_window.h"
#include "qt/printing_box.h"
#include "qt/text_face.h"

namespace pictor::app {
namespace {

int QtKeyOf(std::uint16_t virtual_key) {
  switch (virtual_key) {
    case kVkBack:
      return Qt::Key_Backspace;
    case kVkInsert:
      return Qt::Key_Insert;
    case kVkDelete:
      return Qt::Key_Delete;
    case kVkF6:
      return Qt::Key_F6;
    default:
      return virtual_key;  // 'A'-'Z' and '0'-'9' are the same codes in Qt
  }
}

QKeySequence SequenceOf(const Accelerator& accelerator) {
  int modifiers = 0;
  if (accelerator.modifiers & kAccelControl) modifiers |= Qt::CTRL;
  if (accelerator.modifiers & kAccelShift) modifiers |= Qt::SHIFT;
  if (accelerator.modifiers & kAccelAlt) modifiers |= Qt::ALT;
  return QKeySequence(modifiers | QtKeyOf(accelerator.virtual_key));
}

// A filter of the file dialog as Qt writes one: the description, with its patterns in brackets.
QString NameFilterOf(const FileFilter& filter) {
  QString text = FromCp950(filter.description);
  if (!text.contains('(')) text += " (" + FromCp950(filter.patterns).replace(';', ' ') + ")";
  return text;
}

ChosenFile ChosenFileOf(const QString& path) { return {path.toStdString(), ToCp950(QFileInfo(path).fileName())}; }

}  // namespace

MainFrame::MainFrame(posix::PosixPlatform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), ports_(platform.AllPorts(messages_)) {
  messages_.SetOwner(this);
  view_ = new CatalogueView(state_.current_association, this);
  setCentralWidget(view_);
  BuildMenu();
  BuildAccelerators();
  resize(640, 480);
  shell_ = std::make_unique<PictorShell>(state_, ports_,
                                         ShellPorts{font_dialog_, range_dialog_, platform_.DocumentFiles(), *this});
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

bool MainFrame::OpenDocument(const QString& path) { return shell_->OpenDocument(ChosenFileOf(path)); }

void MainFrame::EndProgram() {
  if (ending_) return;
  ending_ = true;
  shell_->RestoreLinks();
  // A job in hand stops before its next page; every modal loop and the main loop end.
  for (PrintingBox* box : findChildren<PrintingBox*>()) box->Cancel();
  QCoreApplication::exit(0);
}

QAction* MainFrame::MenuAction(std::uint16_t command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QString MainFrame::DocumentTitle() const { return FromCp950(shell_->Document().Title()); }

void MainFrame::SetCaption(std::string_view cp950) { setWindowTitle(FromCp950(cp950)); }

void MainFrame::InvalidateView() { view_->update(); }

std::optional<PrintChoice> MainFrame::AskPrint(const PrintDialogOffer& offer) {
  // Qt's dialog holds the file field itself: printing to a file offers the name there, in the
  // folder the program was started in.
  if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty()) {
    printer_.setOutputFileName(QDir::current().filePath(FromCp950(offer.output_file_name)));
  }
  printer_.setPrintRange(QPrinter::AllPages);
  printer_.setFromTo(offer.pages.first, offer.pages.last);
  printer_.setCopyCount(offer.copies);
  QPrintDialog dialog(&printer_, this);
  dialog.setMinMax(offer.min_page, offer.max_page);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  PrintChoice choice;
  if (printer_.printRange() == QPrinter::PageRange) choice.pages = PageSpan{printer_.fromPage(), printer_.toPage()};
  choice.copies = printer_.copyCount();
  return choice;
}

void MainFrame::AskPageSetup() {
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();
}

std::optional<ChosenFile> MainFrame::AskOpenPath() {
  const QString path = QFileDialog::getOpenFileName(this);
  if (path.isEmpty()) return std::nullopt;
  return ChosenFileOf(path);
}

std::optional<ChosenFile> MainFrame::AskSavePath(const FileDialogTexts& texts) {
  QFileDialog dialog(this, FromCp950(texts.caption));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.selectFile(FromCp950(texts.default_name));
  if (!texts.default_extension.empty()) dialog.setDefaultSuffix(FromCp950(texts.default_extension));
  QStringList filters;
  for (const FileFilter& filter : texts.filters) filters << NameFilterOf(filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ChosenFileOf(dialog.selectedFiles().front());
}

PrintTarget& MainFrame::Printer() {
  print_target_ = std::make_unique<QtPrintTarget>(printer_, Files(), platform_.Codec());
  return *print_target_;
}

std::unique_ptr<PrintingBoxPort> MainFrame::ShowPrintingBox(const PrintingBoxTexts& texts) {
  auto box = std::make_unique<PrintingBox>(texts, this);
  box->show();
  return box;
}

void MainFrame::ShowPreview(PreviewModel& model, const PreviewPages& pages) {
  PreviewWindow preview(model, pages, printer_, Files(), platform_.Codec(), windowTitle(), this);
  preview_ = &preview;
  preview.exec();
  preview_ = nullptr;
}

CatalogueFiles MainFrame::Files() const {
  static const QString kTextFamily = CatalogueTextFamily(FromCp950(kDefaultFaceName));
  return {QString::fromStdString(platform_.LocalPath(state_.current_association.font_file_path)), kTextFamily};
}

void MainFrame::closeEvent(QCloseEvent* event) {
  shell_->RestoreLinks();
  event->accept();
}

}  // namespace pictor::app
