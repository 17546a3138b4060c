// One catalogue page drawn through a canvas: the title line, the caption row with its underlines,
// the cells of the page's share of the print range, and the page number.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue_state.h"
#include "page_canvas.h"
#include "page_layout.h"

namespace pictor {

// Fixed positions on a page (0.1 mm, y upward from the printable area's top edge).
inline constexpr std::int32_t kTitleTop = -100;
inline constexpr std::int32_t kCaptionTop = -230;
inline constexpr std::int32_t kUnderlineY = -272;
inline constexpr std::int32_t kFooterAboveBottom = 100;
inline constexpr std::int32_t kCaptionPenWidth = 3;  // 0.3 mm

// Offsets inside a cell from its column's left edge and its row's top.
inline constexpr std::int32_t kCodeLeft = 84;
inline constexpr std::int32_t kFirstRootLeft = 168;
inline constexpr std::int32_t kTextBelowRowTop = 16;

// The title of an input method's root column: its known name, else its layout text.
std::string ColumnTitle(const InputMethodRecord& record);

// Title line centred at the top, then for every column "內碼" and the titles of the annotated
// input methods, underlined with the 0.3 mm pen.
void DrawPageHeader(PageCanvas& canvas, const PageLayout& layout, const CatalogueState& state);

// The cells of layout.currentPage, row by row, until the print range ends. Returns how many.
std::int32_t DrawPageCells(PageCanvas& canvas, const PageLayout& layout, const CatalogueState& state);

// "第 n 頁" centred at the foot.
void DrawPageFooter(PageCanvas& canvas, const PageLayout& layout);

// Page `page` (from 1) of the job: stores it as the current page and draws header, cells and
// footer. Returns the number of cells drawn.
std::int32_t DrawPage(PageCanvas& canvas, PageLayout& layout, const CatalogueState& state, std::int32_t page);

}  // namespace pictor
