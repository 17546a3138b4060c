#include "pictor_shell.h"

#include "association_choice.h"
#include "shell_resources.h"
#include "shell_rules.h"
#include "string_table.h"

namespace pictor {

PictorShell::PictorShell(ProgramState& state, const PictorPorts& ports, FontSettingDialogPort& fontDialog,
                         PrintRangeDialogPort& rangeDialog, ShellWindowPort& window)
    : state_(state), ports_(ports), fontDialog_(fontDialog), rangeDialog_(rangeDialog), window_(window) {
  InitEudcSupport(state_, ports_);
  window_.SetDocumentTitle(LoadStringResource(kUntitledDocumentId));
}

PictorShell::~PictorShell() { RestoreLinks(); }

void PictorShell::Start() { Execute(ID_FONT_SETTING); }

bool PictorShell::IsEnabled(std::uint16_t command) const {
  return IsCommandEnabled(command, state_.currentAssociation);
}

bool PictorShell::Execute(std::uint16_t command) {
  if (!IsEnabled(command)) return false;
  switch (command) {
    case ID_FONT_SETTING:
      OnFontSetting();
      return true;
    case ID_PRINT_RANGE:
      RunPrintRangeDialog(state_, ports_.messages, rangeDialog_);
      return true;
    case ID_NOTES:
      ports_.messages.Show(kNotesText, kNotesCaption, MessageIcon::kInformation);
      return true;
    case ID_FILE_NEW:
      // A new document: the title only; the association and the range stay.
      window_.SetDocumentTitle(LoadStringResource(kUntitledDocumentId));
      return true;
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_EXIT:
      window_.RunWindowCommand(command);
      return true;
    default:
      return false;
  }
}

void PictorShell::RestoreLinks() { RestoreDefaultLink(state_, ports_); }

void PictorShell::OnFontSetting() {
  if (!ChooseAssociation(state_, ports_, fontDialog_)) return;
  window_.SetDocumentTitle(DocumentTitleAfterChoice(state_.currentAssociation.displayName.View()));
  window_.InvalidateView();
  Execute(ID_PRINT_RANGE);
}

}  // namespace pictor
