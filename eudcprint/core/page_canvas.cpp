#include "page_canvas.h"

#include "code_space.h"

namespace pictor {

void PageCanvas::DrawEudcCharacter(std::uint16_t big5, CanvasPoint cell) {
  if (const auto private_use = Big5ToPrivateUse(big5)) EudcGlyph(*private_use, cell);
}

}  // namespace pictor
