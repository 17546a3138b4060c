// FreeType over font bytes that the caller keeps alive, for tests that read fonts back.
#pragma once

// clang-format off
#include <ft2build.h>
#include FT_FREETYPE_H
// clang-format on

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictor::testing {

class Face {
 public:
  explicit Face(const std::vector<std::uint8_t>& bytes, FT_Long index = 0) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType");
    library_.reset(library);
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), index, &face) != 0) {
      throw std::runtime_error("FreeType cannot open the font");
    }
    face_.reset(face);
  }
  FT_Face operator->() const { return face_.get(); }
  FT_Face Get() const { return face_.get(); }

 private:
  struct DoneLibrary {
    void operator()(FT_Library l) const { FT_Done_FreeType(l); }
  };
  struct DoneFace {
    void operator()(FT_Face f) const { FT_Done_Face(f); }
  };
  std::unique_ptr<FT_LibraryRec_, DoneLibrary> library_;
  std::unique_ptr<FT_FaceRec_, DoneFace> face_;  // declared last: closed before the library
};

// The outline of a glyph in font units, as text, to compare glyphs: the contour count, then each
// point's x, y and (with onCurve) whether it lies on the curve.
inline std::string OutlineText(const Face& face, FT_UInt glyph, bool on_curve = false) {
  if (FT_Load_Glyph(face.Get(), glyph, FT_LOAD_NO_SCALE) != 0) return "unloadable";
  const FT_Outline& outline = face->glyph->outline;
  std::string text = std::to_string(outline.n_contours) + ":";
  for (int i = 0; i < outline.n_points; ++i) {
    text += std::to_string(outline.points[i].x) + "," + std::to_string(outline.points[i].y);
    if (on_curve) text += (FT_CURVE_TAG(outline.tags[i]) == FT_CURVE_TAG_ON) ? "" : "~";
    text += ";";
  }
  return text;
}

}  // namespace pictor::testing
