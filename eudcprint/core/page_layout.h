// How a catalogue fills the printable area: cells of a character, its code and its root columns,
// in columns and rows, and how many pages the print range needs. Lengths are in 0.1 mm, y upward,
// with the origin at the printable area's top-left corner.
#pragma once

#include <cstdint>

#include "catalogue_state.h"

namespace pictor {

struct PageLayout {
  std::int32_t pageWidth = 0;   // printable width
  std::int32_t pageHeight = 0;  // printable height
  std::int32_t cellHeight = 0;  // height of a character cell
  std::int32_t cellWidth = 0;   // character, code and root columns
  std::int32_t columns = 0;     // cells per row
  std::int32_t rows = 0;        // rows per page
  std::int32_t cellsPerPage = 0;
  std::int32_t currentPage = 0;  // 1-based number of the page being drawn
  std::int32_t pageCount = 0;    // pages in the job
};

inline constexpr std::int32_t kCellHeight = 64;
inline constexpr std::int32_t kCharacterAndCodeWidth = 148;
inline constexpr std::int32_t kCellGap = 100;      // between neighbouring columns
inline constexpr std::int32_t kRowGap = 20;        // between rows
inline constexpr std::int32_t kSideMargins = 100;  // left and right of the columns together
inline constexpr std::int32_t kHeaderAndFooter = 480;

// A root column of the Phonetic input method is reserved 1260 wide in the cell but drawn 1180
// after the previous one; every other input method takes 180 either way.
inline constexpr std::int32_t kPhoneticRootReserve = 1260;
inline constexpr std::int32_t kPhoneticRootStep = 1180;
inline constexpr std::int32_t kRootColumnWidth = 180;

// An input method's roots are printed while its annotation flag is set (nonzero).
inline bool IsAnnotated(const AnnotateFlags& flags, std::size_t record) { return flags[record] != 0; }

// Width a root column adds to the cell, and the step from it to the next root column.
std::int32_t RootColumnReserve(std::uint32_t hkl);
std::int32_t RootColumnStep(std::uint32_t hkl);

// The layout of a job on a printable area of pageWidth x pageHeight. At least one column and one
// row, even where not one cell fits, so the job runs and shows the clipped cells.
PageLayout ComputePageLayout(std::int32_t page_width, std::int32_t page_height, const CatalogueState& state);

// Left edge of the first column, centring the block of columns (or the area's left edge when the
// block is wider than the area); of column i; top of row j.
std::int32_t FirstColumnLeft(const PageLayout& layout);
std::int32_t ColumnLeft(const PageLayout& layout, std::int32_t column);
std::int32_t RowTop(const PageLayout& layout, std::int32_t row);

}  // namespace pictor
