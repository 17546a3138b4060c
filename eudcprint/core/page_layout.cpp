#include "page_layout.h"

#include <algorithm>

#include "known_input_methods.h"

namespace pictor {
namespace {

constexpr std::int32_t kFirstRowTop = -300;

}  // namespace

std::int32_t RootColumnReserve(std::uint32_t hkl) {
  return hkl == kPhoneticHkl ? kPhoneticRootReserve : kRootColumnWidth;
}

std::int32_t RootColumnStep(std::uint32_t hkl) { return hkl == kPhoneticHkl ? kPhoneticRootStep : kRootColumnWidth; }

PageLayout ComputePageLayout(std::int32_t page_width, std::int32_t page_height, const CatalogueState& state) {
  PageLayout layout;
  layout.pageWidth = page_width;
  layout.pageHeight = page_height;
  layout.cellHeight = kCellHeight;
  layout.cellWidth = kCharacterAndCodeWidth;
  const InputMethodList& list = state.input_methods;
  for (std::size_t k = 0; k < list.count; ++k) {
    if (IsAnnotated(state.annotate_flags, k)) layout.cellWidth += RootColumnReserve(list.records[k].hkl);
  }
  layout.columns = std::max((page_width - kSideMargins) / (layout.cellWidth + kCellGap), 1);
  layout.rows = std::max((page_height - kHeaderAndFooter) / (layout.cellHeight + kRowGap), 1);
  layout.cellsPerPage = layout.columns * layout.rows;
  const std::int32_t count = state.range.count;
  // An empty range still makes one page (its header and footer), never none.
  layout.pageCount = std::max((count - 1) / layout.cellsPerPage + 1, 1);
  return layout;
}

std::int32_t FirstColumnLeft(const PageLayout& layout) {
  const std::int32_t block = layout.columns * layout.cellWidth + (layout.columns - 1) * kCellGap;
  // Centring a block wider than the area would put its start, the character and its code, off
  // the paper; start it at the area's left edge instead, so only its right end is cut.
  if (block > layout.pageWidth) return 0;
  return (layout.pageWidth - block) / 2;
}

std::int32_t ColumnLeft(const PageLayout& layout, std::int32_t column) {
  return FirstColumnLeft(layout) + (layout.cellWidth + kCellGap) * column;
}

std::int32_t RowTop(const PageLayout& layout, std::int32_t row) {
  return kFirstRowTop - (layout.cellHeight + kRowGap) * row;
}

}  // namespace pictor
