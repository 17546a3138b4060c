// The program's printer: its device mode and names as the print and page-setup dialogs hand them
// over, the platform's default printer until the user picks another.
#pragma once

#include <windows.h>

#include <string>

#include "core/print_job.h"
#include "win32ui/printing/gdi_owners.h"

namespace pictor::win32ui {

// A sheet of paper and where its printable area lies on it, in 0.1 mm.
struct PaperGeometry {
  PrintableArea paper;
  PrintableArea area;
  std::int32_t area_left = 0;
  std::int32_t area_top = 0;
};

class PrinterSettings {
 public:
  // Takes the platform's default printer when none is chosen yet. False when there is none:
  // `tell` lets the platform say so to the user.
  bool EnsurePrinter(bool tell);

  // The handles as the common dialogs take them: released to a dialog, then taken back (the
  // dialog may free them and hand out others).
  HGLOBAL ReleaseDevMode() { return dev_mode_.release(); }
  HGLOBAL ReleaseDevNames() { return dev_names_.release(); }
  void Take(HGLOBAL dev_mode, HGLOBAL dev_names);

  std::wstring DeviceName() const;
  std::wstring PortName() const;

  // A device context of the printer with one copy per page (the job prints the copies); an
  // information context to measure with. Null when there is no printer.
  DeviceContext CreateContext(bool information_only) const;

  PrintableArea Area();
  // The printer's paper; the area alone, at the top-left corner, when the printer does not say.
  PaperGeometry Paper();

 private:
  GlobalMemory dev_mode_;
  GlobalMemory dev_names_;
};

}  // namespace pictor::win32ui
