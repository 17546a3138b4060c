// A print job on a QPrinter: paper, a PDF file, or the pages of a print preview. Each page is
// drawn through the Qt page canvas at the printer's resolution.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/cp950_codec.h"
#include "core/print_job.h"
#include "qt/catalogue_fonts.h"
#include "qt/qt_page_canvas.h"

namespace pictor::app {

// The printable area in 0.1 mm, in whole millimetres as the printer reports its size.
PrintableArea PrintableAreaOf(const QPrinter& printer);

struct CatalogueFiles {
  QString eudc_font_file;  // the association's EUDC font file, as the file system names it
  QString text_family;     // see CatalogueTextFamily
};

class QtPrintTarget final : public PrintTarget {
 public:
  QtPrintTarget(QPrinter& printer, CatalogueFiles files, const regfile::Cp950Codec& codec);
  ~QtPrintTarget() override;

  PrintableArea Area() override { return PrintableAreaOf(printer_); }
  // A PDF printer prints to its file; any other to its queue.
  PrintDestination Destination() override;
  void SetOutputFile(std::string_view path) override;
  bool MakesCopies() override { return printer_.supportsMultipleCopies(); }

  bool BeginDocument(std::string_view title) override;
  PageCanvas* BeginPage() override;
  bool EndPage() override { return true; }
  bool EndDocument() override;
  void Abort() override;

  // Characters printed through this target whose glyph the EUDC font file lacks.
  std::int64_t MissingGlyphs() const;

 private:
  void FinishCanvas();

  QPrinter& printer_;
  CatalogueFiles files_;
  const regfile::Cp950Codec& codec_;
  std::optional<CatalogueFonts> fonts_;
  QPainter painter_;
  std::unique_ptr<QtPageCanvas> canvas_;
  int pages_begun_ = 0;
  std::int64_t missing_glyphs_ = 0;
};

}  // namespace pictor::app
