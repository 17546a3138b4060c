#include "page_drawing.h"

#include <string>

#include "known_input_methods.h"
#include "page_strings.h"
#include "page_text.h"

namespace pictor {
namespace {

// The character font fills the character cell.
static_assert(kCharacterFontHeight == kCellHeight);

// Calls visit(record) for each annotated input method in list order, with the left edge of its
// root column in a cell whose first root column starts at firstLeft.
template <typename Visit>
void ForEachRootColumn(const CatalogueState& state, std::int32_t first_left, Visit visit) {
  std::int32_t left = first_left;
  const InputMethodList& list = state.input_methods;
  for (std::size_t k = 0; k < list.count; ++k) {
    if (!IsAnnotated(state.annotate_flags, k)) continue;
    visit(list.records[k], left);
    left += RootColumnStep(list.records[k].hkl);
  }
}

std::int32_t Centred(PageCanvas& canvas, const PageLayout& layout, std::string_view text) {
  return (layout.pageWidth - canvas.TextWidth(text)) / 2;
}

}  // namespace

std::string ColumnTitle(const InputMethodRecord& record) {
  if (const auto known = KnownInputMethodTitle(record.hkl)) return std::string(known->View());
  return std::string(record.layoutText.View());
}

void DrawPageHeader(PageCanvas& canvas, const PageLayout& layout, const CatalogueState& state) {
  const std::string title =
      FormatTitleLine(state.association.displayName.View(), state.association.eudcFilePath.View());
  canvas.Text({Centred(canvas, layout, title), kTitleTop}, title);

  for (std::int32_t i = 0; i < layout.columns; ++i) {
    const std::int32_t left = ColumnLeft(layout, i);
    canvas.Text({left + kCodeLeft, kCaptionTop}, kCodeCaption);
    ForEachRootColumn(state, left + kFirstRootLeft, [&](const InputMethodRecord& record, std::int32_t x) {
      canvas.Text({x, kCaptionTop}, ColumnTitle(record));
    });
  }
  for (std::int32_t i = 0; i < layout.columns; ++i) {
    const std::int32_t left = ColumnLeft(layout, i);
    canvas.Line({left, kUnderlineY}, {left + layout.cellWidth, kUnderlineY}, kCaptionPenWidth);
  }
}

std::int32_t DrawPageCells(PageCanvas& canvas, const PageLayout& layout, const CatalogueState& state) {
  const std::int64_t first = static_cast<std::int64_t>(layout.currentPage - 1) * layout.cellsPerPage;
  const std::int64_t count = state.range.count;
  std::int32_t drawn = 0;
  for (std::int32_t j = 0; j < layout.rows; ++j) {
    const std::int32_t y = RowTop(layout, j);
    for (std::int32_t i = 0; i < layout.columns; ++i) {
      const std::int64_t n = first + static_cast<std::int64_t>(j) * layout.columns + i;
      if (n >= count) return drawn;  // the range ends on this page
      const std::int32_t x = ColumnLeft(layout, i);
      const std::uint16_t code = CodeOfWalk(state.range, static_cast<std::uint16_t>(n));
      canvas.DrawEudcCharacter(code, {x, y});
      // The box runs one unit outside the 64-unit character cell and two below it.
      canvas.Rectangle({x - 1, y + 1}, {x + 66, y - 66});
      canvas.Text({x + kCodeLeft, y - kTextBelowRowTop}, FormatCode(code));
      ForEachRootColumn(state, x + kFirstRootLeft, [&](const InputMethodRecord& record, std::int32_t rx) {
        const RootText roots = LookupRoots(state.root_tables, code, record.hkl);
        if (!roots.Empty()) canvas.Text({rx, y - kTextBelowRowTop}, roots.View());
      });
      ++drawn;
    }
  }
  return drawn;
}

void DrawPageFooter(PageCanvas& canvas, const PageLayout& layout) {
  const std::string number = FormatPageNumber(layout.currentPage);
  canvas.Text({Centred(canvas, layout, number), kFooterAboveBottom - layout.pageHeight}, number);
}

std::int32_t DrawPage(PageCanvas& canvas, PageLayout& layout, const CatalogueState& state, std::int32_t page) {
  layout.currentPage = page;
  DrawPageHeader(canvas, layout, state);
  const std::int32_t drawn = DrawPageCells(canvas, layout, state);
  DrawPageFooter(canvas, layout);
  return drawn;
}

}  // namespace pictor
