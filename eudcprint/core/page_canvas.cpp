#include "page_canvas.h"

#include "code_space.h"

namespace pictor {

void PageCanvas::DrawEudcCharacter(std::uint16_t big5, CanvasPoint cell) {
  if (const auto privateUse = Big5ToPrivateUse(big5)) EudcGlyph(*privateUse, cell);
}

}  // namespace pictor
