#include "core/page_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/known_input_methods.h"
#include "core/page_drawing.h"
#include "tests/support/recording_canvas.h"

namespace pictor {
namespace {

using testing::CatalogueFixture;
using testing::RecordingCanvas;

struct LayoutCase {
  const char* what;
  std::int32_t width;
  std::int32_t height;
  std::vector<std::uint32_t> annotated;
  std::uint16_t count;
  std::int32_t cellWidth, columns, rows, cellsPerPage, pageCount;
};

TEST(PageLayout, CellsColumnsRowsAndPages) {
  const std::vector<LayoutCase> cases = {
      {"no roots, all codes", 2030, 2870, {}, 6217, 148, 7, 28, 196, 32},
      {"Changjie roots", 2030, 2870, {kChangjieHkl}, 6217, 328, 4, 28, 112, 56},
      {"Phonetic roots", 2030, 2870, {kPhoneticHkl}, 6217, 1408, 1, 28, 28, 223},
      {"both, Phonetic first", 2030, 2870, {kPhoneticHkl, kChangjieHkl}, 6217, 1588, 1, 28, 28, 223},
      {"an unknown layout takes 180", 2030, 2870, {0xE0050404}, 6217, 328, 4, 28, 112, 56},
      {"one page exactly", 2030, 2870, {}, 196, 148, 7, 28, 196, 1},
      {"one code more", 2030, 2870, {}, 197, 148, 7, 28, 196, 2},
      {"a single code", 2030, 2870, {}, 1, 148, 7, 28, 196, 1},
      {"no column fits: one", 1000, 2870, {kPhoneticHkl, kChangjieHkl}, 100, 1588, 1, 28, 28, 4},
      {"no row fits: one", 2030, 500, {}, 20, 148, 7, 1, 7, 3},
      {"nothing fits at all", 0, 0, {kPhoneticHkl}, 5, 1408, 1, 1, 1, 5},
      {"empty range: one page", 2030, 2870, {}, 0, 148, 7, 28, 196, 1},
  };
  for (const LayoutCase& c : cases) {
    CatalogueFixture fixture;
    for (std::uint32_t hkl : c.annotated) fixture.AddInputMethod(hkl, "x", true);
    fixture.range.count = c.count;
    const PageLayout layout = ComputePageLayout(c.width, c.height, fixture.State());
    SCOPED_TRACE(c.what);
    EXPECT_EQ(layout.pageWidth, c.width);
    EXPECT_EQ(layout.pageHeight, c.height);
    EXPECT_EQ(layout.cellHeight, 64);
    EXPECT_EQ(layout.cellWidth, c.cellWidth);
    EXPECT_EQ(layout.columns, c.columns);
    EXPECT_EQ(layout.rows, c.rows);
    EXPECT_EQ(layout.cellsPerPage, c.cellsPerPage);
    EXPECT_EQ(layout.pageCount, c.pageCount);
  }
}

TEST(PageLayout, OnlyAnnotatedInputMethodsWidenTheCell) {
  CatalogueFixture fixture;
  fixture.AddInputMethod(kPhoneticHkl, "p", false);
  fixture.AddInputMethod(kChangjieHkl, "c", true);
  EXPECT_EQ(ComputePageLayout(2030, 2870, fixture.State()).cellWidth, 328);
}

TEST(PageLayout, ColumnsAreCentredWithGapsAndRowsStep84) {
  CatalogueFixture fixture;
  const PageLayout layout = ComputePageLayout(2030, 2870, fixture.State());
  // 7 cells of 148 and 6 gaps of 100 take 1636 of 2030.
  EXPECT_EQ(FirstColumnLeft(layout), 197);
  EXPECT_EQ(ColumnLeft(layout, 6), 197 + 6 * 248);
  EXPECT_EQ(RowTop(layout, 0), -300);
  EXPECT_EQ(RowTop(layout, 27), -300 - 27 * 84);

  // A single column wider than the area (1588 with both input methods) starts at its left edge,
  // so that the character, its code and the first roots are on the paper (A5: 1400 wide); one
  // that just fits is still centred.
  fixture.AddInputMethod(kPhoneticHkl, "p", true);
  fixture.AddInputMethod(kChangjieHkl, "c", true);
  EXPECT_EQ(FirstColumnLeft(ComputePageLayout(1400, 2000, fixture.State())), 0);
  EXPECT_EQ(FirstColumnLeft(ComputePageLayout(1000, 2870, fixture.State())), 0);
  EXPECT_EQ(FirstColumnLeft(ComputePageLayout(1588, 2870, fixture.State())), 0);
  EXPECT_EQ(FirstColumnLeft(ComputePageLayout(1600, 2870, fixture.State())), 6);
}

// Which codes each page draws, and where the range ends.
std::vector<std::int32_t> CellsPerDrawnPage(const CatalogueFixture& fixture, std::int32_t width, std::int32_t height,
                                            RecordingCanvas* last_page = nullptr) {
  PageLayout layout = ComputePageLayout(width, height, fixture.State());
  std::vector<std::int32_t> cells;
  for (std::int32_t page = 1; page <= layout.pageCount; ++page) {
    RecordingCanvas canvas;
    cells.push_back(DrawPage(canvas, layout, fixture.State(), page));
    if (last_page != nullptr) *last_page = canvas;
  }
  return cells;
}

TEST(PageLayout, PagesShareTheRangeAndTheLastPageEndsWithIt) {
  CatalogueFixture fixture;
  RecordingCanvas last;
  const auto cells = CellsPerDrawnPage(fixture, 2030, 2870, &last);
  ASSERT_EQ(cells.size(), 32u);
  for (std::size_t page = 0; page + 1 < cells.size(); ++page) EXPECT_EQ(cells[page], 196) << "page " << page + 1;
  EXPECT_EQ(cells.back(), 141);  // 20 full rows and one cell
  const auto characters = last.Texts(FontRole::kCharacter);
  ASSERT_EQ(characters.size(), 141u);
  EXPECT_EQ(characters.back().a, (CanvasPoint{197, -300 - 20 * 84}));
  EXPECT_EQ(characters.back().text, "\xc8\xfe");  // the last ordinal

  fixture.range.count = 197;
  RecordingCanvas second;
  EXPECT_EQ(CellsPerDrawnPage(fixture, 2030, 2870, &second), (std::vector<std::int32_t>{196, 1}));
  ASSERT_EQ(second.Texts(FontRole::kCharacter).size(), 1u);
  EXPECT_EQ(second.Texts(FontRole::kCharacter)[0].a, (CanvasPoint{197, -300}));
}

}  // namespace
}  // namespace pictor
