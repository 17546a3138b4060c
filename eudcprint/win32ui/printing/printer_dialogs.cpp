#include "win32ui/printing/printer_dialogs.h"

#include <commdlg.h>

#include <algorithm>

namespace pictor::win32ui {
namespace {

WORD ToWord(std::int32_t value) { return static_cast<WORD>(std::clamp<std::int32_t>(value, 0, 0xFFFF)); }

// Copies the driver makes itself are kept in its device mode and the dialog then answers one.
std::int32_t CopiesOf(const PRINTDLGW& dialog) {
  std::int32_t copies = dialog.nCopies;
  const LockedGlobal<DEVMODEW> mode(dialog.hDevMode);
  if (mode.Get() != nullptr && (mode->dmFields & DM_COPIES) != 0 && copies <= 1) {
    copies = std::max<std::int32_t>(copies, mode->dmCopies);
  }
  return std::max(1, copies);
}

}  // namespace

std::optional<PrintDialogAnswer> AskPrintDialog(HWND owner, PrinterSettings& printer, const PrintDialogOffer& offer) {
  printer.EnsurePrinter(false);
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = printer.ReleaseDevMode();
  dialog.hDevNames = printer.ReleaseDevNames();
  dialog.Flags = PD_ALLPAGES | PD_NOSELECTION;
  dialog.nMinPage = ToWord(offer.min_page);
  dialog.nMaxPage = ToWord(offer.max_page);
  dialog.nFromPage = ToWord(offer.pages.first);
  dialog.nToPage = ToWord(offer.pages.last);
  dialog.nCopies = ToWord(offer.copies);
  const BOOL chosen = PrintDlgW(&dialog);
  printer.Take(dialog.hDevMode, dialog.hDevNames);
  if (!chosen) return std::nullopt;
  PrintDialogAnswer answer;
  if ((dialog.Flags & PD_PAGENUMS) != 0) answer.choice.pages = PageSpan{dialog.nFromPage, dialog.nToPage};
  answer.choice.copies = CopiesOf(dialog);
  answer.to_file = (dialog.Flags & PD_PRINTTOFILE) != 0;
  return answer;
}

void AskPageSetupDialog(HWND owner, PrinterSettings& printer) {
  printer.EnsurePrinter(false);
  PAGESETUPDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hDevMode = printer.ReleaseDevMode();
  dialog.hDevNames = printer.ReleaseDevNames();
  dialog.Flags = PSD_DISABLEMARGINS;
  PageSetupDlgW(&dialog);
  printer.Take(dialog.hDevMode, dialog.hDevNames);
}

}  // namespace pictor::win32ui
