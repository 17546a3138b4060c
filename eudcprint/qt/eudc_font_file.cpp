#include "qt/eudc_font_file.h"

#include <QFontDatabase>

namespace pictor::app {
namespace {

constexpr qreal kLoadPixelSize = 1000;

}  // namespace

bool SameFontFile(const QRawFont& a, const QRawFont& b) {
  for (const char* table : {"head", "cmap", "name", "maxp"}) {
    if (a.fontTable(table) != b.fontTable(table)) return false;
  }
  return !a.fontTable("head").isEmpty();
}

EudcFontFile::EudcFontFile(const QString& path) {
  glyphs_.loadFromFile(path, kLoadPixelSize, QFont::PreferNoHinting);
  if (!glyphs_.isValid()) return;
  registration_ = QFontDatabase::addApplicationFont(path);
  if (registration_ < 0) return;
  for (const QString& family : QFontDatabase::applicationFontFamilies(registration_)) {
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);  // this family's own font, never a fallback
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(static_cast<int>(kLoadPixelSize));
    const QRawFont candidate = QRawFont::fromFont(font);
    if (candidate.isValid() && SameFontFile(candidate, glyphs_)) {
      glyphs_ = candidate;
      registered_glyphs_ = true;
      return;
    }
  }
}

EudcFontFile::~EudcFontFile() {
  if (registration_ >= 0) QFontDatabase::removeApplicationFont(registration_);
}

}  // namespace pictor::app
