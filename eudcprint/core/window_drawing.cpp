#include "window_drawing.h"

namespace pictor {

void DrawWindowContents(WindowCanvas& canvas, const EudcAssociation& association) {
  if (association.displayName.Empty()) return;
  const std::int32_t line_height = canvas.LineHeight();
  const std::int32_t right = canvas.ClientWidth();
  std::int32_t y = (canvas.ClientHeight() - 3 * line_height) / 2;
  const std::string_view name = association.displayName.View();
  canvas.Text({(right - canvas.TextWidth(name)) / 2, y}, name);
  y += 2 * line_height;
  const std::string_view path = association.eudcFilePath.View();
  canvas.Text({(right - canvas.TextWidth(path)) / 2, y}, path);
}

}  // namespace pictor
