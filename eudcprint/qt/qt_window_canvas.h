// The window canvas over a QPainter on the view: device pixels, y downward, one font whose
// ascent plus descent is 32 pixels, in the face the association's characters are drawn with.
#pragma once

#include <QFont>
#include <QPainter>
#include <QWidget>

#include "core/page_canvas.h"

namespace pictor::app {

// The screen font of the view: the association's character face (細明體 for 標準造字) where it is
// installed, else the catalogue's text face; `cellHeight` pixels from ascent to descent.
QFont ScreenFont(std::string_view display_name, int cell_height);

class QtWindowCanvas final : public WindowCanvas {
 public:
  QtWindowCanvas(QPainter& painter, const QWidget& view, const QFont& font);

  void Text(CanvasPoint top_left, std::string_view cp950) override;
  std::int32_t TextWidth(std::string_view cp950) override;
  std::int32_t LineHeight() override;
  std::int32_t ClientWidth() override;
  std::int32_t ClientHeight() override;

 private:
  QPainter& painter_;
  const QWidget& view_;
  QFont font_;
};

}  // namespace pictor::app
