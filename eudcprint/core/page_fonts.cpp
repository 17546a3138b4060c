#include "page_fonts.h"

#include "eudc_association.h"
#include "page_canvas.h"
#include "platform_ports.h"
#include "window_drawing.h"

namespace pictor {

static_assert(PageFontRequest{}.charset == kChineseBig5Charset);

PageFontRequest CharacterFontRequest(std::string_view display_name) {
  return {.height = kCharacterFontHeight, .face = CharacterFaceName(display_name)};
}

PageFontRequest TextFontRequest() { return {.height = kTextFontHeight, .face = kDefaultFaceName}; }

PageFontRequest WindowFontRequest(std::string_view display_name) {
  return {.height = kWindowFontHeight, .face = CharacterFaceName(display_name)};
}

}  // namespace pictor
