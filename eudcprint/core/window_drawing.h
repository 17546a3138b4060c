// The program's window: the chosen association's display name and EUDC file, centred.
#pragma once

#include "eudc_association.h"
#include "page_canvas.h"

namespace pictor {

// Nothing while no association is chosen; else the display name and the file path, each centred
// across the window, one empty line apart, the pair centred down it as a block three lines high.
void DrawWindowContents(WindowCanvas& canvas, const EudcAssociation& association);

}  // namespace pictor
