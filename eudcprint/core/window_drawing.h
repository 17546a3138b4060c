// The program's window: the chosen association's display name and EUDC file, centred.
#pragma once

#include <cstdint>

#include "eudc_association.h"
#include "page_canvas.h"

namespace pictor {

// The window's font: a cell height of 32 device pixels, in the face of the association's
// characters.
inline constexpr std::int32_t kWindowFontHeight = 32;

// Nothing while no association is chosen; else the display name and the file path, each centred
// across the window, one empty line apart, the pair centred down it as a block three lines high.
void DrawWindowContents(WindowCanvas& canvas, const EudcAssociation& association);

}  // namespace pictor
