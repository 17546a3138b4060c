// The glyphs of one EUDC font file, as a QRawFont of that file and of no other.
//
// A QRawFont loaded from a file's bytes has no file name, and Qt's PDF output then draws each of
// its glyphs as a path (ten times the output, most of the time in compression). The same file
// registered as an application font is embedded in the PDF instead; it is taken only when its
// tables are byte for byte the file's own, since another installed font may share its family name.
#pragma once

#include <QRawFont>
#include <QString>

namespace pictor::app {

// Whether two raw fonts come from the same font file: the tables that tell files apart (the header
// with the whole file's checksum adjustment and dates, the character map, the names, the glyph
// count) are byte for byte the same.
bool SameFontFile(const QRawFont& a, const QRawFont& b);

class EudcFontFile {
 public:
  explicit EudcFontFile(const QString& path);
  ~EudcFontFile();
  EudcFontFile(const EudcFontFile&) = delete;
  EudcFontFile& operator=(const EudcFontFile&) = delete;

  // Invalid when the file is not a font Qt can read.
  const QRawFont& Glyphs() const { return glyphs_; }
  // Whether the glyphs come through the file's registration, which PDF output embeds.
  bool Registered() const { return registration_ >= 0 && registered_glyphs_; }

 private:
  QRawFont glyphs_;
  int registration_ = -1;
  bool registered_glyphs_ = false;
};

}  // namespace pictor::app
