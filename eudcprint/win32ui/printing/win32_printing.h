// What the frame asks of the platform's printing: the print dialog, page setup, the printer as a
// print target, the printing box and the preview window. The frame's ShellWindowPort hands these
// five requests over as they come.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "core/preview_model.h"
#include "core/print_job.h"
#include "core/print_plan.h"
#include "core/printing_box.h"

namespace pictor::win32ui {

class Win32Printing {
 public:
  // Over the platform's default printer; dialogs and windows are owned by the window set with
  // SetOwner (none before).
  Win32Printing();
  ~Win32Printing();
  Win32Printing(const Win32Printing&) = delete;
  Win32Printing& operator=(const Win32Printing&) = delete;

  void SetOwner(HWND owner);

  // The print dialog (PrintDlgW) opened as offered; nullopt when cancelled.
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer);
  // The page setup dialog (PageSetupDlgW) over the program's printer.
  void AskPageSetup();
  // The program's printer as it is set up now, as a print target (MM_LOMETRIC pages).
  PrintTarget& Printer();
  // The printing box (dialog 30722) with these lines, until the returned box goes.
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts);
  // The preview window, modal over the owner, showing the pages the model shows, until 關閉 or 列印.
  void ShowPreview(PreviewModel& model, const PreviewPages& pages);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace pictor::win32ui
