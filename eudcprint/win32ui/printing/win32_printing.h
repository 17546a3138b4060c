// What the frame asks of the platform's printing: the print dialog, page setup, the printer as a
// print target, the printing box and the preview window. The frame's ShellWindowPort hands these
// five requests over as they come; the save dialog serves both printing to a file and the
// document's file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "core/eudc_association.h"
#include "core/pictor_shell.h"
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
  // The association whose EUDC font file (its font_file_path, code page 950) every page draws
  // its characters from, read when a job or a preview starts; it must outlive this object.
  // Without one, every character's box stays empty.
  void FollowAssociation(const EudcAssociation& association);

  // The print dialog (PrintDlgW) opened as offered; nullopt when cancelled. Ticking 列印至檔案
  // makes the printer's destination a file still to be chosen.
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer);
  // The page setup dialog (PageSetupDlgW) over the program's printer.
  void AskPageSetup();
  // The program's printer as it is set up now, as a print target (MM_LOMETRIC pages).
  PrintTarget& Printer();
  // The printing box (dialog 30722) with these lines, until the returned box goes; the owner is
  // disabled meanwhile.
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts& texts);
  // The preview window, modal over the owner, showing the pages the model shows, until 關閉 or 列印.
  // Without a printer the platform says so, and no preview opens.
  void ShowPreview(PreviewModel& model, const PreviewPages& pages);

  // The save dialog (GetSaveFileNameW) with these texts; nullopt when cancelled.
  std::optional<ChosenFile> AskSavePath(const FileDialogTexts& texts);
  // Characters of the last printed document whose glyph the EUDC font file lacks.
  std::int64_t MissingGlyphs() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace pictor::win32ui
