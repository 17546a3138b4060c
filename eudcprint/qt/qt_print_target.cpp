#include "qt/qt_print_target.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <cmath>

namespace pictor::app {
namespace {

// The printer's name for printing into a PDF file.
constexpr char16_t kPdfPrinterName[] = u"PDF";

QString ToQString(const regfile::Cp950Codec& codec, std::string_view cp950) {
  const std::u16string utf16 = codec.ToUtf16(cp950);
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

std::string ToCp950(const regfile::Cp950Codec& codec, const QString& text) {
  return codec.FromUtf16(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

}  // namespace

PrintableArea PrintableAreaOf(const QPrinter& printer) {
  const QRectF millimetres = printer.pageLayout().paintRect(QPageLayout::Millimeter);
  return {static_cast<std::int32_t>(std::floor(millimetres.width())) * 10,
          static_cast<std::int32_t>(std::floor(millimetres.height())) * 10};
}

QtPrintTarget::QtPrintTarget(QPrinter& printer, CatalogueFiles files, const regfile::Cp950Codec& codec)
    : printer_(printer), files_(std::move(files)), codec_(codec) {}

QtPrintTarget::~QtPrintTarget() {
  if (painter_.isActive()) painter_.end();
}

PrintDestination QtPrintTarget::Destination() {
  if (printer_.outputFormat() == QPrinter::PdfFormat) {
    return {ToCp950(codec_, QString::fromUtf16(kPdfPrinterName)), ToCp950(codec_, printer_.outputFileName()), true};
  }
  const std::string name = ToCp950(codec_, printer_.printerName());
  return {name, name, false};
}

void QtPrintTarget::SetOutputFile(std::string_view path) {
  printer_.setOutputFileName(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

bool QtPrintTarget::BeginDocument(std::string_view title) {
  FinishCanvas();
  printer_.setDocName(ToQString(codec_, title));
  printer_.setCreator(QCoreApplication::applicationName());
  fonts_ = LoadCatalogueFonts(files_.eudc_font_file, files_.text_family, printer_.resolution());
  pages_begun_ = 0;
  if (!painter_.begin(&printer_)) return false;
  painter_.setRenderHint(QPainter::Antialiasing);
  canvas_ = std::make_unique<QtPageCanvas>(painter_, *fonts_, codec_);
  return true;
}

PageCanvas* QtPrintTarget::BeginPage() {
  if (canvas_ == nullptr) return nullptr;
  if (pages_begun_ > 0 && !printer_.newPage()) return nullptr;
  ++pages_begun_;
  return canvas_.get();
}

bool QtPrintTarget::EndDocument() {
  FinishCanvas();
  return painter_.end();
}

void QtPrintTarget::Abort() {
  FinishCanvas();
  painter_.end();
  printer_.abort();
}

std::int64_t QtPrintTarget::MissingGlyphs() const {
  return missing_glyphs_ + (canvas_ != nullptr ? canvas_->MissingGlyphs() : 0);
}

void QtPrintTarget::FinishCanvas() {
  if (canvas_ != nullptr) missing_glyphs_ += canvas_->MissingGlyphs();
  canvas_.reset();
}

}  // namespace pictor::app
