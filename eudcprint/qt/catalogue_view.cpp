#include "qt/catalogue_view.h"

#include <QPainter>

#include "core/window_drawing.h"
#include "qt/qt_window_canvas.h"

namespace pictor::app {

CatalogueView::CatalogueView(const EudcAssociation& association, QWidget* parent)
    : QWidget(parent), association_(association) {
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
}

void CatalogueView::paintEvent(QPaintEvent*) {
  if (association_.displayName.Empty()) return;
  QPainter painter(this);
  QtWindowCanvas canvas(painter, *this, ScreenFont(association_.displayName.View(), kWindowFontHeight));
  DrawWindowContents(canvas, association_);
}

}  // namespace pictor::app
