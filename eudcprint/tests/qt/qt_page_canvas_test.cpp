// The Qt canvas: 0.1 mm mapped to device pixels with y upward, fonts sized by cell height, and
// glyphs from the EUDC font file alone; and the print target over a QPrinter.
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
#include "core/print_job.h"
#include "platform/posix/iconv_codec.h"
#include "qt/catalogue_fonts.h"
#include "qt/eudc_font_file.h"
#include "qt/qt_print_target.h"
#include "qt/text_face.h"
#include "tests/support/recording_canvas.h"
#include "tests/support/temp_folder.h"
#include "tools/fixtures/eudc_font_builder.h"

namespace pictor::app {
namespace {

// At 254 dots per inch one unit of 0.1 mm is one pixel.
constexpr double kUnitDpi = 254;

const posix::IconvCp950Codec& Codec() {
  static const posix::IconvCp950Codec kCodec;
  return kCodec;
}

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() {
    const std::uint16_t omitted[] = {0xFA41};
    testsupport::FontRequest request{"Canvas Test EUDC", testsupport::EudcCodePoints(omitted), false};
    font_file_ = folder_ / "eudc.ttf";
    testing::WriteFile(font_file_, testsupport::BuildTrueTypeFont(request));
    image_.fill(Qt::white);
  }

  CatalogueFonts Fonts(double dpi) const {
    return LoadCatalogueFonts(QString::fromStdString(font_file_), TextFamily(), dpi);
  }
  static QString TextFamily() { return CatalogueTextFamily(QString::fromStdString(Codec().ToUtf8(kDefaultFaceName))); }

  // Dark pixels of the image in a rectangle of pixels, right and bottom excluded.
  int Ink(int left, int top, int right, int bottom) const {
    int dark = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) dark += qGray(image_.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
  }

  testing::TempFolder folder_;
  std::string font_file_;
  QImage image_{400, 400, QImage::Format_RGB32};
};

TEST_F(QtCanvasTest, UnitsAreTenthsOfMillimetresWithYUpward) {
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  {
    QPainter painter(&image_);
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
  QPainter low_painter(&image_);
  QPainter fine_painter(&high);
  QtPageCanvas low_canvas(low_painter, low, Codec());
  QtPageCanvas fine_canvas(fine_painter, fine, Codec());
  const std::string title = "\xa6\x72\xab\xac\xa1\x47 FA40";  // 字型： FA40
  const std::int32_t width = fine_canvas.TextWidth(title);
  EXPECT_GT(width, 4 * 32);  // three full-width characters and more
  EXPECT_NEAR(low_canvas.TextWidth(title), width, 6);
}

TEST_F(QtCanvasTest, GlyphsComeOnlyFromTheEudcFile) {
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  std::int64_t missing = 0;
  {
    QPainter painter(&image_);
    QtPageCanvas canvas(painter, fonts, Codec());
    canvas.DrawEudcCharacter(0xFA40, {100, -100});  // in the file
    canvas.DrawEudcCharacter(0xFA41, {200, -100});  // left out of the file
    canvas.DrawEudcCharacter(0xA440, {100, -200});  // 一: a standard character, no user-defined one
    canvas.DrawEudcCharacter(0x8E40, {200, -200});  // in the file: U+E311
    missing = canvas.MissingGlyphs();
  }
  EXPECT_GT(Ink(100, 100, 164, 164), 200);
  EXPECT_LE(Ink(100, 100, 164, 164), 64 * 64);  // within its cell
  EXPECT_EQ(Ink(0, 0, 400, 99), 0);             // nothing above the cells' tops
  EXPECT_EQ(Ink(200, 100, 400, 200), 0);
  EXPECT_EQ(Ink(100, 200, 200, 300), 0);
  EXPECT_GT(Ink(200, 200, 264, 264), 200);
  EXPECT_EQ(missing, 1);
}

// Registered as an application font, a file is embedded in PDF output; a registered font of the
// same family name from another file must never stand in for it.
TEST_F(QtCanvasTest, AnotherFontOfTheSameFamilyNeverStandsIn) {
  const auto build = [&](const std::string& name, std::uint16_t omitted) {
    const std::uint16_t codes[] = {omitted};
    testsupport::FontRequest request{"Same EUDC", testsupport::EudcCodePoints(codes), false};
    testing::WriteFile(folder_ / name, testsupport::BuildTrueTypeFont(request));
    return QString::fromStdString(folder_ / name);
  };
  const QString lacks_fa40 = build("a.ttf", 0xFA40);
  const QString lacks_fa42 = build("b.ttf", 0xFA42);
  const QString fa40 = QString(QChar(0xE000));
  const QString fa42 = QString(QChar(0xE002));
  const EudcFontFile first(lacks_fa40);
  const EudcFontFile second(lacks_fa42);
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
  testing::WriteFile(folder_ / "other.ttf",
                     testsupport::BuildTrueTypeFont({"Canvas Test EUDC", testsupport::EudcCodePoints(none), false}));
  std::filesystem::copy_file(font_file_, folder_ / "copy.ttf");
  EXPECT_TRUE(SameFontFile(load(font_file_), load(folder_ / "copy.ttf")));
  EXPECT_FALSE(SameFontFile(load(font_file_), load(folder_ / "other.ttf")));  // same family, one code less
  EXPECT_FALSE(SameFontFile(QRawFont(), QRawFont()));
}

TEST_F(QtCanvasTest, AFileThatIsNoFontLeavesEveryBoxEmpty) {
  testing::WriteFile(font_file_, {'n', 'o', 't'});
  const CatalogueFonts fonts = Fonts(kUnitDpi);
  EXPECT_FALSE(fonts.character.isValid());
  QPainter painter(&image_);
  QtPageCanvas canvas(painter, fonts, Codec());
  canvas.DrawEudcCharacter(0xFA40, {100, -100});
  canvas.DrawEudcCharacter(0xFA42, {200, -100});
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
class QtPrintTargetTest : public QtCanvasTest {
 protected:
  QtPrintTargetTest() {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(folder_ / "job.pdf"));
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageMargins(QMarginsF(3.5, 5, 3.5, 5), QPageLayout::Millimeter);
    association_.displayName.Assign("EUDC");
    association_.eudcFilePath.Assign("EUDC.TTF");
    ResetPrintRange(range_);
  }
  CatalogueState State() const {
    return {association_, range_, input_methods_.input_methods, input_methods_.annotate_flags,
            *input_methods_.root_tables};
  }

  QPrinter printer_{QPrinter::HighResolution};
  QtPrintTarget target_{printer_, {QString::fromStdString(font_file_), TextFamily()}, Codec()};
  EudcAssociation association_;
  PrintRange range_;
  InputMethodState input_methods_;
};

TEST_F(QtPrintTargetTest, ThePrintableAreaIsInWholeMillimetres) {
  EXPECT_EQ(target_.Area(), (PrintableArea{2030, 2870}));
  printer_.setPageMargins(QMarginsF(3.53, 3.53, 3.53, 3.53), QPageLayout::Millimeter);
  EXPECT_EQ(target_.Area().width, 2020);  // 202.94 mm
}

TEST_F(QtPrintTargetTest, APdfPrinterPrintsIntoItsFile) {
  const PrintDestination destination = target_.Destination();
  EXPECT_TRUE(destination.to_file);
  EXPECT_EQ(destination.printer_name, "PDF");
  EXPECT_EQ(destination.port, folder_ / "job.pdf");
  EXPECT_FALSE(target_.MakesCopies());  // the job prints them
  target_.SetOutputFile(folder_ / "other.pdf");
  EXPECT_EQ(printer_.outputFileName().toStdString(), folder_ / "other.pdf");
}

TEST_F(QtPrintTargetTest, PrintsTheJobsPagesIntoOnePdf) {
  const JobResult tail = RunCatalogueJob(target_, State(), {"EUDC", PageSpan{31, 40}, 2});
  EXPECT_EQ(tail.failure, JobFailure::kNone);
  EXPECT_EQ(tail.pages, 4);  // pages 31 and 32, twice
  EXPECT_EQ(target_.MissingGlyphs(), 0);
  const std::vector<std::uint8_t> pdf = testing::ReadFile(folder_ / "job.pdf");
  const std::string bytes(pdf.begin(), pdf.end());
  EXPECT_NE(bytes.find("/Count 4"), std::string::npos);

  QtPrintTarget again(printer_, {QString::fromStdString(font_file_), TextFamily()}, Codec());
  EXPECT_EQ(RunCatalogueJob(again, State(), {"EUDC", PageSpan{1, 1}, 1}).cells, 196);
  EXPECT_EQ(again.MissingGlyphs(), 1);  // FA41
}

TEST_F(QtPrintTargetTest, AnOutputThatCannotBeOpenedIsAFailure) {
  printer_.setOutputFileName(QString::fromStdString(folder_ / "no/such/folder/job.pdf"));
  range_.count = 3;
  EXPECT_EQ(RunCatalogueJob(target_, State(), {"EUDC", std::nullopt, 1}).failure, JobFailure::kCannotOpen);
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
