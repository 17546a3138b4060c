// A whole catalogue printed onto a QPrinter (paper, PDF or a print preview's printer): the page
// layout of the printer's printable area, then each page of the job drawn through the Qt canvas.
#pragma once

#include <QPrinter>
#include <QString>
#include <cstdint>
#include <functional>

#include "core/catalogue_state.h"
#include "core/cp950_codec.h"
#include "core/page_layout.h"

namespace pictor::app {

// The printable area in 0.1 mm, in whole millimetres as the printer reports its size.
struct PrintableArea {
  std::int32_t width = 0;
  std::int32_t height = 0;
};
PrintableArea PrintableAreaOf(const QPrinter& printer);

// The layout a job on this printer has with the state as it is now.
PageLayout LayoutFor(const QPrinter& printer, const CatalogueState& state);

struct CatalogueFiles {
  QString eudcFontFile;  // the association's EUDC font file, as the file system names it
  QString textFamily;    // see CatalogueTextFamily
};

enum class PrintFailure {
  kNone,
  kNoPageChosen,  // the printer's page range lies outside the job's pages
  kCannotOpen,    // the printer or the output file could not be opened
  kCannotFinish,  // the last page could not be finished
  kCancelled,     // the progress callback asked to stop; the job was aborted
};

struct PrintedCatalogue {
  PrintFailure failure = PrintFailure::kNone;
  std::int32_t firstPage = 0;
  std::int32_t pages = 0;
  std::int64_t cells = 0;
  std::int64_t missingGlyphs = 0;  // characters whose glyph the EUDC file lacks
};

// Called after each page with the number of pages printed and the number the job prints; false
// stops the job.
using PageProgress = std::function<bool(std::int32_t done, std::int32_t total)>;

// Prints the pages of the job, or those of the printer's from-to page range when one is set. The
// first page printed is PrintedCatalogue::firstPage.
PrintedCatalogue PrintCatalogue(QPrinter& printer, const CatalogueState& state, const CatalogueFiles& files,
                                const regfile::Cp950Codec& codec, const PageProgress& progress = {});

}  // namespace pictor::app
