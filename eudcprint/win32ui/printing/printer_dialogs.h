// The platform's print and page-setup dialogs over the program's printer.
#pragma once

#include <windows.h>

#include <optional>

#include "core/print_plan.h"
#include "win32ui/printing/printer_settings.h"

namespace pictor::win32ui {

struct PrintDialogAnswer {
  PrintChoice choice;
  bool to_file = false;  // 列印至檔案 was ticked
};

// PrintDlgW opened as offered: pages from the offer's minimum to its maximum, the from-to fields,
// every page chosen, the copies. The printer chosen in it becomes the program's printer. Nullopt
// when cancelled (or when the platform has no printer, which the dialog tells).
std::optional<PrintDialogAnswer> AskPrintDialog(HWND owner, PrinterSettings& printer, const PrintDialogOffer& offer);

// PageSetupDlgW over the program's printer: its paper and orientation. The margins are the
// printer's own (the pages fill its printable area), so the dialog does not offer them.
void AskPageSetupDialog(HWND owner, PrinterSettings& printer);

}  // namespace pictor::win32ui
