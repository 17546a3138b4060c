// Pages recorded through the GDI canvas: the metafile holds the core's drawing operations one for
// one (the same points, texts, fonts and pens), each character as its glyph index in the EUDC
// file's own font, nothing where the file lacks a code; played into a bitmap, the glyphs fill
// their boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "core/page_drawing.h"
#include "core/page_fonts.h"
#include "tests/win32/metafile_records.h"
#include "tests/win32/printing_test_support.h"
#include "win32ui/printing/metafile_target.h"
#include "win32ui/printing/page_font_objects.h"
#include "win32ui/printing/printer_settings.h"

namespace pictor::win32ui {
namespace {

using pictor::testing::CanvasOperation;
using pictor::testing::RecordingCanvas;
using testing::MetafileOperation;
using testing::TestCatalogue;

constexpr std::uint16_t kOmitted[] = {0xFA41, 0xFA48};

// The core's operations, with text widths measured as the printer measures them.
class PrinterMeasuredCanvas : public RecordingCanvas {
 public:
  explicit PrinterMeasuredCanvas(HDC printer) : dc_(printer), font_(CreateRequestedFont(TextFontRequest())) {
    SetMapMode(dc_, MM_LOMETRIC);
    SelectObject(dc_, font_.get());
  }
  std::int32_t TextWidth(std::string_view cp950) override {
    SIZE size{};
    GetTextExtentPoint32A(dc_, cp950.data(), static_cast<int>(cp950.size()), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  UniqueGdiObject font_;
};

class PageRecordingTest : public ::testing::Test {
 protected:
  PageRecordingTest() {
    printer_.EnsurePrinter(false);
    reference_ = printer_.CreateContext(true);
    font_file_ = testing::WriteEudcFont(folder_, L"eudc.tte", "Recording Test EUDC", kOmitted);
  }

  // Records the pages of the catalogue with the characters of `eudc_file`.
  std::unique_ptr<MetafileTarget> Record(const TestCatalogue& catalogue, const std::wstring& eudc_file) {
    auto target = std::make_unique<MetafileTarget>(reference_.get(), PrintableAreaOf(reference_.get()),
                                                   std::make_shared<PrivateFontFile>(eudc_file));
    last_ = RunCatalogueJob(*target, catalogue.State(), {"title", std::nullopt, 1});
    return target;
  }

  PrinterSettings printer_;
  DeviceContext reference_;
  testing::TestFolder folder_;
  std::wstring font_file_;
  JobResult last_;
};

TEST_F(PageRecordingTest, ThePageHoldsTheCoresOperations) {
  ASSERT_NE(reference_, nullptr) << "the test printer is missing";
  const TestCatalogue catalogue(font_file_, 0xFA40, 0xFA7E);
  const auto target = Record(catalogue, font_file_);
  ASSERT_EQ(last_.failure, JobFailure::kNone);
  ASSERT_EQ(target->Pages().size(), 1u);
  EXPECT_EQ(target->MissingGlyphs(), 2);

  PrinterMeasuredCanvas expected(reference_.get());
  PageLayout layout = JobLayout(*target, catalogue.State());
  DrawPage(expected, layout, catalogue.State(), 1);
  const testing::MetafilePage page = testing::ReadMetafile(target->Pages()[0].get());
  // MM_LOMETRIC's own scale, written out.
  const HDC printer = reference_.get();
  EXPECT_EQ(page.map_mode, MM_ANISOTROPIC);
  EXPECT_EQ(page.window_extent.cx, GetDeviceCaps(printer, HORZSIZE) * 10);
  EXPECT_EQ(page.window_extent.cy, GetDeviceCaps(printer, VERTSIZE) * 10);
  EXPECT_EQ(page.viewport_extent.cx, GetDeviceCaps(printer, HORZRES));
  EXPECT_EQ(page.viewport_extent.cy, -GetDeviceCaps(printer, VERTRES));

  std::size_t at = 0;
  for (const CanvasOperation& operation : expected.operations) {
    const bool character = operation.role == FontRole::kCharacter;
    const std::uint16_t code = character
                                   ? static_cast<std::uint16_t>(static_cast<std::uint8_t>(operation.text[0]) << 8 |
                                                                static_cast<std::uint8_t>(operation.text[1]))
                                   : 0;
    // A character the file lacks leaves nothing in the page.
    if (character && testing::GeneratedGlyphIndex(code, kOmitted) == 0) continue;
    ASSERT_LT(at, page.operations.size());
    const MetafileOperation& recorded = page.operations[at++];
    if (operation.kind != CanvasOperation::Kind::kRectangle) {
      EXPECT_EQ(recorded.a.x, operation.a.x) << at;
      EXPECT_EQ(recorded.a.y, operation.a.y) << at;
    }
    switch (operation.kind) {
      case CanvasOperation::Kind::kText:
        if (character) {
          ASSERT_EQ(recorded.kind, MetafileOperation::Kind::kGlyphs) << at;
          EXPECT_EQ(recorded.glyphs, std::vector<WORD>{testing::GeneratedGlyphIndex(code, kOmitted)})
              << std::hex << code;
          EXPECT_STREQ(recorded.font.lfFaceName, L"Recording Test EUDC");
          EXPECT_EQ(recorded.font.lfHeight, kCharacterFontHeight);
        } else {
          ASSERT_EQ(recorded.kind, MetafileOperation::Kind::kText) << at;
          EXPECT_EQ(recorded.text, Cp950ToWide(operation.text));
          EXPECT_STREQ(recorded.font.lfFaceName, testing::kMingFace);
          EXPECT_EQ(recorded.font.lfHeight, kTextFontHeight);
        }
        break;
      case CanvasOperation::Kind::kRectangle:
        // The format holds the box ordered, its right and bottom edges inclusive.
        ASSERT_EQ(recorded.kind, MetafileOperation::Kind::kRectangle) << at;
        EXPECT_EQ(recorded.a.x, std::min(operation.a.x, operation.b.x));
        EXPECT_EQ(recorded.a.y, std::min(operation.a.y, operation.b.y));
        EXPECT_EQ(recorded.b.x, std::max(operation.a.x, operation.b.x) - 1);
        EXPECT_EQ(recorded.b.y, std::max(operation.a.y, operation.b.y) - 1);
        EXPECT_EQ(recorded.pen_width, -1);  // the default pen
        EXPECT_TRUE(recorded.null_brush);
        break;
      case CanvasOperation::Kind::kLine:
        ASSERT_EQ(recorded.kind, MetafileOperation::Kind::kLine) << at;
        EXPECT_EQ(recorded.b.x, operation.b.x);
        EXPECT_EQ(recorded.b.y, operation.b.y);
        EXPECT_EQ(recorded.pen_width, operation.pen_width);
        break;
    }
  }
  EXPECT_EQ(at, page.operations.size());

  // Both fonts of the page with the settings the pages ask for.
  ASSERT_EQ(page.fonts_created.size(), 2u);
  for (const LOGFONTW& font : page.fonts_created) {
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfCharSet, CHINESEBIG5_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, OUT_STROKE_PRECIS);
    EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
    EXPECT_EQ(font.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
  }
}

// Two files of one family loaded at once: whichever font the system makes of that family, a page
// never shows a glyph of the other file.
TEST_F(PageRecordingTest, AnotherFileOfTheSameFamilyNeverStandsIn) {
  const std::uint16_t lacks_fa40[] = {0xFA40};
  const std::uint16_t lacks_fa42[] = {0xFA42};
  const std::wstring first = testing::WriteEudcFont(folder_, L"a.tte", "Same EUDC", lacks_fa40);
  const std::wstring second = testing::WriteEudcFont(folder_, L"b.tte", "Same EUDC", lacks_fa42);
  const PrivateFontFile first_loaded(first);
  const PrivateFontFile second_loaded(second);
  for (const auto& [file, lacking] :
       {std::pair{first, std::uint16_t{0xFA40}}, std::pair{second, std::uint16_t{0xFA42}}}) {
    const TestCatalogue catalogue(file, 0xFA40, 0xFA42);
    const auto target = Record(catalogue, file);
    ASSERT_EQ(target->Pages().size(), 1u);
    const PageLayout layout = JobLayout(*target, catalogue.State());
    const std::int32_t lacking_left = ColumnLeft(layout, lacking - 0xFA40);
    for (const MetafileOperation& operation : testing::ReadMetafile(target->Pages()[0].get()).operations) {
      if (operation.kind == MetafileOperation::Kind::kGlyphs) {
        EXPECT_NE(operation.a.x, lacking_left) << std::hex << lacking;
      }
    }
  }
}

TEST_F(PageRecordingTest, AFileThatIsNoFontLeavesEveryBoxEmpty) {
  const std::wstring not_a_font = folder_ / L"notes.tte";
  testing::WriteBytes(not_a_font, {'n', 'o', 't'});
  const TestCatalogue catalogue(not_a_font, 0xFA40, 0xFA44);
  const auto target = Record(catalogue, not_a_font);
  ASSERT_EQ(target->Pages().size(), 1u);
  int boxes = 0;
  for (const MetafileOperation& operation : testing::ReadMetafile(target->Pages()[0].get()).operations) {
    EXPECT_NE(operation.kind, MetafileOperation::Kind::kGlyphs);
    boxes += operation.kind == MetafileOperation::Kind::kRectangle ? 1 : 0;
  }
  EXPECT_EQ(boxes, 5);
  EXPECT_EQ(target->MissingGlyphs(), 5);
}

// Played at one pixel per 0.1 mm, as the preview plays its pages at its own scale.
TEST_F(PageRecordingTest, PlayedIntoABitmapEachGlyphFillsItsBoxAndMissingOnesStayEmpty) {
  const TestCatalogue catalogue(font_file_, 0xFA40, 0xFA42);
  const auto target = Record(catalogue, font_file_);
  ASSERT_EQ(target->Pages().size(), 1u);
  const PrintableArea area = target->Area();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = area.width;
  info.bmiHeader.biHeight = -area.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const DeviceContext dc(CreateCompatibleDC(nullptr));
  const UniqueGdiObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_NE(bitmap, nullptr);
  const SelectedObject selected(dc.get(), bitmap.get());
  const RECT whole{0, 0, area.width, area.height};
  FillRect(dc.get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(PlayPage(dc.get(), target->Pages()[0].get(), whole));
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const auto ink = [&](LONG left, LONG top, LONG right, LONG bottom) {
    int dark = 0;
    for (LONG y = top; y < bottom; ++y) {
      for (LONG x = left; x < right; ++x) dark += (pixels[y * area.width + x] & 0xFF) < 128 ? 1 : 0;
    }
    return dark;
  };
  const PageLayout layout = JobLayout(*target, catalogue.State());
  const LONG top = -RowTop(layout, 0);
  for (int column = 0; column < 3; ++column) {
    const LONG left = ColumnLeft(layout, column);
    const int inside = ink(left + 2, top + 2, left + 63, top + 63);
    if (column == 1) {
      EXPECT_EQ(inside, 0) << "FA41 is not in the file";
      EXPECT_GT(ink(left - 2, top + 10, left + 1, top + 50), 0) << "its box is drawn";
    } else {
      EXPECT_GT(inside, 400) << "column " << column;
    }
  }
}

}  // namespace
}  // namespace pictor::win32ui
