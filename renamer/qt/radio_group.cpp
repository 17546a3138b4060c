#include "qt/radio_group.h"

#include <QEvent>
#include <QFontMetrics>

#include "core/form_layout.h"

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
  for (const QString& text : items) {
    auto* button = new QRadioButton(text, this);
    button->setAutoExclusive(true);
    buttons_.append(button);
  }
  ArrangeButtons();
}

int TRadioGroup::ItemIndex() const {
  for (int i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->isChecked()) return i;
  }
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < buttons_.size()) buttons_[index]->setChecked(true);
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  ArrangeButtons();
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  const std::vector<quillon::PixelRect> places =
      quillon::RadioItemRects(width(), height(), static_cast<int>(buttons_.size()), QFontMetrics(font()).height());
  for (std::size_t i = 0; i < places.size(); ++i) {
    const quillon::PixelRect& r = places[i];
    buttons_[static_cast<qsizetype>(i)]->setGeometry(r.left, r.top, r.width, r.height);
  }
}
