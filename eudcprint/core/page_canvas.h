// The surfaces the catalogue is drawn on: a printed or previewed page, and the program's window.
// Texts are code page 950 byte strings; each is placed by the top-left corner of its line.
#pragma once

#include <cstdint>
#include <string_view>

namespace pictor {

struct CanvasPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// Cell heights (ascent plus descent) of the page's two fonts, in 0.1 mm: the user-defined
// characters at 6.4 mm, and the texts (title, captions, codes, roots, page number) at 3.2 mm.
inline constexpr std::int32_t kCharacterFontHeight = 64;
inline constexpr std::int32_t kTextFontHeight = 32;

// A page in 0.1 mm units, x to the right, y upward, the origin at the printable area's top-left
// corner (so every point on the page has y <= 0).
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;

  // Texts in the text font.
  virtual void Text(CanvasPoint top_left, std::string_view cp950) = 0;
  virtual std::int32_t TextWidth(std::string_view cp950) = 0;
  // The outline of a rectangle between two opposite corners, with the thin default pen.
  virtual void Rectangle(CanvasPoint corner, CanvasPoint opposite_corner) = 0;
  virtual void Line(CanvasPoint from, CanvasPoint to, std::int32_t pen_width) = 0;

  // One user-defined character by its Big5 code, in the character font with the top-left corner
  // of its character cell at `cell`: the glyph of its private-use code point in the association's
  // EUDC font file. A code outside the user-defined area draws nothing.
  void DrawEudcCharacter(std::uint16_t big5, CanvasPoint cell);

 protected:
  // The glyph the EUDC font file has for a private-use code point (U+E000 to U+F848), from that
  // file alone: where the file has none, the cell stays empty and no other font fills it.
  virtual void EudcGlyph(char16_t private_use, CanvasPoint cell) = 0;
};

// The program's window in device pixels, x to the right, y downward from the client area's
// top-left corner, with one font 32 pixels high in the face of the association's characters.
class WindowCanvas {
 public:
  virtual ~WindowCanvas() = default;
  virtual void Text(CanvasPoint top_left, std::string_view cp950) = 0;
  virtual std::int32_t TextWidth(std::string_view cp950) = 0;
  virtual std::int32_t LineHeight() = 0;  // the font's height, ascent plus descent
  virtual std::int32_t ClientWidth() = 0;
  virtual std::int32_t ClientHeight() = 0;
};

}  // namespace pictor
