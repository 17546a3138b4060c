// The Qt canvas: 0.1 mm mapped to device pixels with y upward, fonts sized by cell height, and
// glyphs from the EUDC font file alone.
#include "qt/qt_page_canvas.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>

#include "core/eudc_association.h"
#include "platform/posix/iconv_codec.h"
#include "qt/catalogue_fonts.h"
#include "qt/catalogue_printer.h"
#include "qt/eudc_font_file.h"
#include "qt/text_face.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/temp_folder.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace pictor::app {
namespace {

// At 254 dots per inch one unit of 0.1 mm is one pixel.
constexpr double kUnitDpi = 254;

const posix::IconvCp950Codec& Codec() {
  static const posix::IconvCp950Codec codec;
  return codec;
}

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() {
    const std::uint16_t omitted[] = {0xFA41};
    testsupport::FontRequest request{"Canvas Test EUDC", testsupport::EudcCodePoints(omitted), false};
    fontFile = folder / "eudc.ttf";
    testing::WriteFile(fontFile, testsupport::BuildTrueTypeFont(request));
    image.fill(Qt::white);
  }

  CatalogueFonts Fonts(double dpi) const {
    return LoadCatalogueFonts(QString::fromStdString(fontFile), TextFamily(), dpi);
  }
  static QString TextFamily() { return CatalogueTextFamily(QString::fromStdString(Codec().ToUtf8(kDefaultFaceName))); }

  // Dark pixels of the image in a rectangle of pixels, right and bottom excluded.
  int Ink(int left, int top, int right, int bottom) const {
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
  }

  testing::TempFolder folder;
  std::string fontFile;
  QImage image{400, 400, QImage::Format_RGB32};
};

TEST_F(QtCanvasTest, UnitsAreTenthsOfMillimetresWithYUpward) {
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  {
    QPainter painter(&image);
    QtPageCanvas canvas(painter, fonts, Codec());
    canvas.Rectangle({100, -300}, {200, -150});  // corners given bottom-left first
    canvas.Line({20, -50}, {380, -50}, 3);
  }
  EXPECT_GT(Ink(99, 200, 102, 250), 0);   // left edge at x 100
  EXPECT_GT(Ink(199, 200, 202, 250), 0);  // right edge at x 200
  EXPECT_GT(Ink(130, 149, 170, 152), 0);  // top edge at y 150 (150 below the origin)
  EXPECT_EQ(Ink(103, 153, 197, 297), 0);  // hollow
  EXPECT_EQ(Ink(130, 53, 300, 56), 0);    // the 0.3 mm pen is three pixels at this resolution
  EXPECT_GT(Ink(130, 49, 300, 51), 2 * 169);
}

TEST_F(QtCanvasTest, FontsFillTheirCellHeights) {
  for (const double dpi : {kUnitDpi, 1200.0}) {
    const CatalogueFonts fonts = Fonts(dpi);
    ASSERT_TRUE(fonts.character.isValid());
    EXPECT_NEAR(fonts.character.ascent() + fonts.character.descent(), 64 * dpi / 254, 0.01) << dpi;
    const QFontMetricsF text(fonts.text);
    EXPECT_NEAR(text.ascent() + text.descent(), 32 * dpi / 254, 1.0) << dpi;
  }
}

TEST_F(QtCanvasTest, TextWidthsAreInTenthsOfMillimetresAtAnyResolution) {
  QImage high(10, 10, QImage::Format_RGB32);
  const CatalogueFonts low = Fonts(kUnitDpi);
  const CatalogueFonts fine = Fonts(1200);
  QPainter lowPainter(&image);
  QPainter finePainter(&high);
  QtPageCanvas lowCanvas(lowPainter, low, Codec());
  QtPageCanvas fineCanvas(finePainter, fine, Codec());
  const std::string title = "\xa6\x72\xab\xac\xa1\x47 FA40";  // 字型： FA40
  const std::int32_t width = fineCanvas.TextWidth(FontRole::kText, title);
  EXPECT_GT(width, 4 * 32);  // three full-width characters and more
  EXPECT_NEAR(lowCanvas.TextWidth(FontRole::kText, title), width, 6);
  // A character is one em of the EUDC font: 64 units high and, in the generated font, as wide.
  EXPECT_NEAR(fineCanvas.TextWidth(FontRole::kCharacter, "\xfa\x40"), 64, 1);
}

TEST_F(QtCanvasTest, GlyphsComeOnlyFromTheEudcFile) {
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  std::int64_t missing = 0;
  {
    QPainter painter(&image);
    QtPageCanvas canvas(painter, fonts, Codec());
    canvas.Text({100, -100}, FontRole::kCharacter, "\xfa\x40");  // in the file
    canvas.Text({200, -100}, FontRole::kCharacter, "\xfa\x41");  // left out of the file
    canvas.Text({100, -200}, FontRole::kCharacter, "\xa4\x40");  // 一: a standard character
    canvas.Text({200, -200}, FontRole::kCharacter, "\x8e\x40");  // in the file: U+E311
    missing = canvas.MissingGlyphs();
  }
  EXPECT_GT(Ink(100, 100, 164, 164), 200);
  EXPECT_EQ(Ink(0, 0, 400, 99), 0);  // nothing above the cells' tops
  EXPECT_EQ(Ink(200, 100, 400, 200), 0);
  EXPECT_EQ(Ink(100, 200, 200, 300), 0);
  EXPECT_GT(Ink(200, 200, 264, 264), 200);
  EXPECT_EQ(missing, 2);
}

// Registered as an application font, a file is embedded in PDF output; a registered font of the
// same family name from another file must never stand in for it.
TEST_F(QtCanvasTest, AnotherFontOfTheSameFamilyNeverStandsIn) {
  const auto build = [&](const std::string& name, std::uint16_t omitted) {
    const std::uint16_t codes[] = {omitted};
    testsupport::FontRequest request{"Same EUDC", testsupport::EudcCodePoints(codes), false};
    testing::WriteFile(folder / name, testsupport::BuildTrueTypeFont(request));
    return QString::fromStdString(folder / name);
  };
  const QString lacksFa40 = build("a.ttf", 0xFA40);
  const QString lacksFa42 = build("b.ttf", 0xFA42);
  const QString fa40 = QString(QChar(0xE000));
  const QString fa42 = QString(QChar(0xE002));
  const EudcFontFile first(lacksFa40);
  const EudcFontFile second(lacksFa42);
  for (const EudcFontFile* file : {&first, &second}) {
    ASSERT_TRUE(file->Glyphs().isValid());
    EXPECT_TRUE(file->Registered() || file == &second);  // the second may lose to the first's family
  }
  EXPECT_EQ(first.Glyphs().glyphIndexesForString(fa40).value(0), 0u);
  EXPECT_NE(first.Glyphs().glyphIndexesForString(fa42).value(0), 0u);
  EXPECT_NE(second.Glyphs().glyphIndexesForString(fa40).value(0), 0u);
  EXPECT_EQ(second.Glyphs().glyphIndexesForString(fa42).value(0), 0u);
}

TEST_F(QtCanvasTest, FontFilesAreToldApartByTheirTables) {
  const auto load = [](const std::string& path) { return QRawFont(QString::fromStdString(path), 20); };
  const std::uint16_t none[] = {0xFA40};
  testing::WriteFile(folder / "other.ttf",
                     testsupport::BuildTrueTypeFont({"Canvas Test EUDC", testsupport::EudcCodePoints(none), false}));
  std::filesystem::copy_file(fontFile, folder / "copy.ttf");
  EXPECT_TRUE(SameFontFile(load(fontFile), load(folder / "copy.ttf")));
  EXPECT_FALSE(SameFontFile(load(fontFile), load(folder / "other.ttf")));  // same family, one code less
  EXPECT_FALSE(SameFontFile(QRawFont(), QRawFont()));
}

TEST_F(QtCanvasTest, AFileThatIsNoFontLeavesEveryBoxEmpty) {
  testing::WriteFile(fontFile, {'n', 'o', 't'});
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  EXPECT_FALSE(fonts.character.isValid());
  QPainter painter(&image);
  QtPageCanvas canvas(painter, fonts, Codec());
  canvas.Text({100, -100}, FontRole::kCharacter, "\xfa\x40\xfa\x42");
  painter.end();
  EXPECT_EQ(Ink(0, 0, 400, 400), 0);
  EXPECT_EQ(canvas.MissingGlyphs(), 2);
}

TEST_F(QtCanvasTest, TheTextFaceIsTheDefaultFaceOrATraditionalChineseOne) {
  const QString family = TextFamily();
  ASSERT_FALSE(family.isEmpty());
  if (family != QString::fromStdString(Codec().ToUtf8(kDefaultFaceName))) {
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::TraditionalChinese).contains(family)) << family.toStdString();
  }
}

// A job on a PDF printer whose printable area is 203 x 287 mm.
class CatalogueJobTest : public QtCanvasTest {
 protected:
  CatalogueJobTest() {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder / "job.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(3.5, 5, 3.5, 5), QPageLayout::Millimeter);
    association.displayName.Assign("EUDC");
    association.eudcFilePath.Assign("EUDC.TTF");
    ResetPrintRange(range);
  }
  PrintedCatalogue Print() {
    return PrintCatalogue(
        printer, {association, range, inputMethods.inputMethods, inputMethods.annotateFlags, *inputMethods.rootTables},
        {QString::fromStdString(fontFile), TextFamily()}, Codec());
  }

  QPrinter printer{QPrinter::HighResolution};
  EudcAssociation association;
  PrintRange range;
  InputMethodState inputMethods;
};

TEST_F(CatalogueJobTest, PrintableAreaInWholeMillimetres) {
  const PrintableArea area = PrintableAreaOf(printer);
  EXPECT_EQ(area.width, 2030);
  EXPECT_EQ(area.height, 2870);
  printer.setPageMargins(QMarginsF(3.53, 3.53, 3.53, 3.53), QPageLayout::Millimeter);
  EXPECT_EQ(PrintableAreaOf(printer).width, 2020);  // 202.94 mm
}

TEST_F(CatalogueJobTest, PrintsEveryPageOrTheChosenOnes) {
  const PrintedCatalogue all = Print();
  EXPECT_EQ(all.failure, PrintFailure::kNone);
  EXPECT_EQ(all.pages, 32);
  EXPECT_EQ(all.cells, 6217);
  EXPECT_EQ(all.missingGlyphs, 1);  // FA41

  printer.setFromTo(31, 40);
  const PrintedCatalogue tail = Print();
  EXPECT_EQ(tail.pages, 2);
  EXPECT_EQ(tail.cells, 196 + 141);
  EXPECT_EQ(tail.missingGlyphs, 0);

  printer.setFromTo(33, 34);
  EXPECT_EQ(Print().failure, PrintFailure::kNoPageChosen);
}

TEST_F(CatalogueJobTest, AProgressThatAsksToStopAbortsTheJob) {
  printer.setFromTo(3, 32);
  std::vector<std::int32_t> told;
  const PrintedCatalogue stopped = PrintCatalogue(
      printer, {association, range, inputMethods.inputMethods, inputMethods.annotateFlags, *inputMethods.rootTables},
      {QString::fromStdString(fontFile), TextFamily()}, Codec(), [&](std::int32_t done, std::int32_t total) {
        told.push_back(done);
        EXPECT_EQ(total, 30);
        return done < 2;
      });
  EXPECT_EQ(stopped.failure, PrintFailure::kCancelled);
  EXPECT_EQ(stopped.firstPage, 3);
  EXPECT_EQ(stopped.pages, 2);
  EXPECT_EQ(told, (std::vector<std::int32_t>{1, 2}));
}

TEST_F(CatalogueJobTest, AnOutputThatCannotBeOpenedIsAFailure) {
  printer.setOutputFileName(QString::fromStdString(folder / "no/such/folder/job.pdf"));
  range.count = 3;
  EXPECT_EQ(Print().failure, PrintFailure::kCannotOpen);
}

}  // namespace
}  // namespace pictor::app

// Qt's font machinery needs the application object for the whole run, and gone before exit.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
