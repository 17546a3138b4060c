// The program's printer as a print target: each page recorded as a metafile and played onto a
// page of the printer's document; printing to a file names the file in the document, so the
// platform writes the printer's output there and asks nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/print_job.h"
#include "win32ui/printing/gdi_owners.h"
#include "win32ui/printing/page_recorder.h"
#include "win32ui/printing/printer_settings.h"
#include "win32ui/printing/private_font_file.h"

namespace pictor::win32ui {

class Win32PrintTarget final : public PrintTarget {
 public:
  // `eudc_font_file` gives the association's EUDC font file (as the file system names it) when a
  // document begins.
  Win32PrintTarget(PrinterSettings& printer, std::function<std::wstring()> eudc_font_file);
  ~Win32PrintTarget() override;

  PrintableArea Area() override { return printer_.Area(); }
  // The printer and its port; when printing to a file (asked in the print dialog, or a printer on
  // the port FILE:), the file, empty until one is chosen.
  PrintDestination Destination() override;
  void SetOutputFile(std::string_view path) override;
  // The job prints each copy: every printer's document holds them all.
  bool MakesCopies() override { return false; }

  // False also when printing to a file none was named for.
  bool BeginDocument(std::string_view title) override;
  PageCanvas* BeginPage() override;
  bool EndPage() override;
  bool EndDocument() override;
  void Abort() override;

  // The print dialog's answer: whether to print to a file. A file chosen before is forgotten.
  void PrintToFile(bool to_file);
  // Characters of the last document whose glyph the EUDC font file lacks (their boxes are empty).
  std::int64_t MissingGlyphs() const { return missing_glyphs_; }

 private:
  bool ToFile() const;
  // The document's context, recorder and font go; EndJob also forgets the file printed into.
  void ReleaseJob();
  void EndJob();

  PrinterSettings& printer_;
  std::function<std::wstring()> eudc_font_file_;
  bool print_to_file_ = false;
  std::wstring output_file_;
  DeviceContext dc_;
  std::unique_ptr<PrivateFontFile> eudc_;
  std::optional<PageRecorder> recorder_;
  std::int64_t missing_glyphs_ = 0;
};

}  // namespace pictor::win32ui
