#include "qt/catalogue_printer.h"

#include <QPageLayout>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/page_drawing.h"
#include "qt/catalogue_fonts.h"
#include "qt/qt_page_canvas.h"

namespace pictor::app {

PrintableArea PrintableAreaOf(const QPrinter& printer) {
  const QRectF millimetres = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  return {static_cast<std::int32_t>(std::floor(millimetres.width())) * 10,
          static_cast<std::int32_t>(std::floor(millimetres.height())) * 10};
}

PageLayout LayoutFor(const QPrinter& printer, const CatalogueState& state) {
  const PrintableArea area = PrintableAreaOf(printer);
  return ComputePageLayout(area.width, area.height, state);
}

PrintedCatalogue PrintCatalogue(QPrinter& printer, const CatalogueState& state, const CatalogueFiles& files,
                                const regfile::Cp950Codec& codec, const PageProgress& progress) {
  PrintedCatalogue result;
  PageLayout layout = LayoutFor(printer, state);
  std::int32_t first = 1;
  std::int32_t last = layout.pageCount;
  if (printer.fromPage() > 0) first = std::max(first, printer.fromPage());
  if (printer.toPage() > 0) last = std::min(last, printer.toPage());
  if (first > last) {
    result.failure = PrintFailure::kNoPageChosen;
    return result;
  }

  result.firstPage = first;
  const CatalogueFonts fonts = LoadCatalogueFonts(files.eudcFontFile, files.textFamily, printer.resolution());
  QPainter painter;
  if (!painter.begin(&printer)) {
    result.failure = PrintFailure::kCannotOpen;
    return result;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  QtPageCanvas canvas(painter, fonts, codec);
  for (std::int32_t page = first; page <= last; ++page) {
    if (page > first) printer.newPage();
    result.cells += DrawPage(canvas, layout, state, page);
    ++result.pages;
    if (progress && !progress(result.pages, last - first + 1) && page < last) {
      painter.end();
      printer.abort();
      result.failure = PrintFailure::kCancelled;
      result.missingGlyphs = canvas.MissingGlyphs();
      return result;
    }
  }
  if (!painter.end()) result.failure = PrintFailure::kCannotFinish;
  result.missingGlyphs = canvas.MissingGlyphs();
  return result;
}

}  // namespace pictor::app
