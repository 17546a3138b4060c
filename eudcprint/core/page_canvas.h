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

enum class FontRole {
  kCharacter,  // 6.4 mm: the user-defined character of a cell, from the association's EUDC file
  kText,       // 3.2 mm: title, captions, codes, roots and page number
};

// A page in 0.1 mm units, x to the right, y upward, the origin at the printable area's top-left
// corner (so every point on the page has y <= 0). Font heights are cell heights (ascent plus
// descent): 64 for the character role, 32 for the text role.
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  virtual void Text(CanvasPoint topLeft, FontRole role, std::string_view cp950) = 0;
  virtual std::int32_t TextWidth(FontRole role, std::string_view cp950) = 0;
  // The outline of a rectangle between two opposite corners, with the thin default pen.
  virtual void Rectangle(CanvasPoint corner, CanvasPoint oppositeCorner) = 0;
  virtual void Line(CanvasPoint from, CanvasPoint to, std::int32_t penWidth) = 0;
};

// The program's window in device pixels, x to the right, y downward from the client area's
// top-left corner, with one font 32 pixels high in the face of the association's characters.
class WindowCanvas {
 public:
  virtual ~WindowCanvas() = default;
  virtual void Text(CanvasPoint topLeft, std::string_view cp950) = 0;
  virtual std::int32_t TextWidth(std::string_view cp950) = 0;
  virtual std::int32_t LineHeight() = 0;  // the font's height, ascent plus descent
  virtual std::int32_t ClientWidth() = 0;
  virtual std::int32_t ClientHeight() = 0;
};

}  // namespace pictor
