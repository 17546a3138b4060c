#pragma once
// The program's icon drawing made into pixels, and the pixels into an icon file (.ico) for the
// Windows resources.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/program_icon.h"

namespace quillon::tools {

// One square image, rows from the top, four bytes a pixel: blue, green, red, alpha (not
// premultiplied), as an icon file holds them.
struct IconImage {
  int size = 0;
  std::vector<std::uint8_t> bgra;
};

// The drawing scaled to `size` pixels a side, each shape anti-aliased as a pen of its width
// centred on the outline (square ends on lines) over the fill, on a transparent square.
IconImage RenderIcon(const IconDrawing& drawing, int size);

// An icon file of the images, each a 32-bit bitmap with its alpha and, for systems that ignore
// the alpha, a mask that leaves the transparent pixels out.
std::string IconFile(std::span<const IconImage> images);

}  // namespace quillon::tools
