#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quillon {

// The program's icon as a drawing: a sheet with a private-use box turning into a character,
// drawn with anti-aliased pens on a transparent square.
struct IconColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

enum class IconShapeKind {
  kRectangle,  // x, y, width, height
  kLine,       // from x, y to x + width, y + height
};

struct IconShape {
  IconShapeKind kind;
  int x;
  int y;
  int width;
  int height;
  IconColour pen;
  int pen_width;
  std::optional<IconColour> fill;
};

struct IconDrawing {
  int size;                           // pixels a side
  std::span<const IconShape> shapes;  // drawn in order
};

const IconDrawing& ProgramIcon();

// The icon's number among the program's resources.
inline constexpr int kProgramIconId = 1;

}  // namespace quillon
