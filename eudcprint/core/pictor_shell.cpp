#include "pictor_shell.h"

#include "association_choice.h"
#include "shell_resources.h"
#include "shell_rules.h"
#include "string_table.h"

namespace pictor {

PictorShell::PictorShell(ProgramState& state, const PictorPorts& ports, const ShellPorts& shell)
    : state_(state), ports_(ports), shell_(shell) {
  InitEudcSupport(state_, ports_);
  ShowCaption();
}

PictorShell::~PictorShell() { RestoreLinks(); }

void PictorShell::Start() { Execute(ID_FONT_SETTING); }

bool PictorShell::IsEnabled(std::uint16_t command) const {
  return IsCommandEnabled(command, state_.current_association);
}

bool PictorShell::Execute(std::uint16_t command) {
  if (!IsEnabled(command)) return false;
  switch (command) {
    case ID_FONT_SETTING:
      OnFontSetting();
      return true;
    case ID_PRINT_RANGE:
      RunPrintRangeDialog(state_, ports_.messages, shell_.range_dialog);
      return true;
    case ID_NOTES:
      ports_.messages.Show(kNotesText, kNotesCaption, MessageIcon::kInformation);
      return true;
    case ID_FILE_NEW:
      // A new document: the title only; the association and the range stay.
      document_.New();
      ShowCaption();
      return true;
    case ID_FILE_OPEN:
      OnFileOpen();
      return true;
    case ID_FILE_SAVE:
      OnFileSave();
      return true;
    case ID_FILE_PRINT:
      OnFilePrint(true);
      return true;
    case ID_FILE_PRINT_DIRECT:
      OnFilePrint(false);
      return true;
    case ID_FILE_PRINT_PREVIEW:
      OnFilePrintPreview();
      return true;
    case ID_FILE_PRINT_SETUP:
      shell_.window.AskPageSetup();
      return true;
    case ID_APP_EXIT:
      shell_.window.Close();
      return true;
    default:
      return false;
  }
}

void PictorShell::RestoreLinks() { RestoreDefaultLink(state_, ports_); }

bool PictorShell::OpenDocument(const ChosenFile& file) {
  if (!shell_.documents.CanRead(file.path)) return false;
  document_.NameAfterFile(file.name);
  ShowCaption();
  return true;
}

void PictorShell::OnFontSetting() {
  if (!ChooseAssociation(state_, ports_, shell_.font_dialog)) return;
  document_.NameAfterAssociation(state_.current_association.displayName.View());
  ShowCaption();
  shell_.window.InvalidateView();
  Execute(ID_PRINT_RANGE);
}

void PictorShell::OnFileOpen() {
  const auto file = shell_.window.AskOpenPath();
  if (file && !OpenDocument(*file)) Tell(kDocumentFileFailed);
}

void PictorShell::OnFileSave() {
  // Always asked, even for an opened document: the document has no content, so saving over the
  // file it was opened from would empty that file without a word.
  FileDialogTexts texts;
  texts.default_name = document_.Title();
  const auto file = shell_.window.AskSavePath(texts);
  if (!file) return;
  if (!shell_.documents.WriteEmpty(file->path)) {
    Tell(kDocumentFileFailed);
    return;
  }
  document_.NameAfterFile(file->name);
  ShowCaption();
}

void PictorShell::OnFilePrint(bool with_dialog) {
  const CatalogueState catalogue = CatalogueOf(state_);
  PrintTarget& printer = shell_.window.Printer();
  PrintChoice choice;  // without the dialog: every page, once
  if (with_dialog) {
    const auto answered = shell_.window.AskPrint(OfferPrintDialog(JobLayout(printer, catalogue).pageCount));
    if (!answered) return;
    choice = *answered;
  }
  if (NeedsOutputFile(printer.Destination())) {
    const auto file = shell_.window.AskSavePath(PrintToFileDialog());
    if (!file) return;
    printer.SetOutputFile(file->path);
  }
  const std::string& title = document_.Title();
  JobResult printed;
  {
    const std::unique_ptr<PrintingBoxPort> box =
        shell_.window.ShowPrintingBox(DescribePrintingBox(title, printer.Destination()));
    PrintingBoxProgress progress(*box);
    printed = RunCatalogueJob(printer, catalogue, {title, choice.pages, choice.copies}, &progress);
  }
  if (printed.failure != JobFailure::kNone && printed.failure != JobFailure::kCancelled) Tell(kPrintFailed);
}

void PictorShell::OnFilePrintPreview() {
  const CatalogueState catalogue = CatalogueOf(state_);
  PreviewModel model(JobLayout(shell_.window.Printer(), catalogue).pageCount);
  shell_.window.ShowPreview(model, PreviewPages(catalogue, document_.Title()));
  // The preview's print button prints the same pages as the menu item, by the same rule.
  if (model.PrintRequested()) Execute(ID_FILE_PRINT);
}

void PictorShell::ShowCaption() { shell_.window.SetCaption(document_.Caption()); }

void PictorShell::Tell(std::string_view text) { ports_.messages.Warn(text, LoadStringResource(kApplicationTitleId)); }

}  // namespace pictor
