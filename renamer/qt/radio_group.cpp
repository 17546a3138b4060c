#include "qt/radio_group.h"

#include <QEvent>
#include <QFontMetrics>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
  for (const QString& text : items) {
    auto* button = new QRadioButton(text, this);
    button->setAutoExclusive(true);
    buttons_.append(button);
  }
  ArrangeButtons();
}

int TRadioGroup::itemIndex() const {
  for (int i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->isChecked()) return i;
  }
  return -1;
}

void TRadioGroup::setItemIndex(int index) {
  if (index >= 0 && index < buttons_.size()) buttons_[index]->setChecked(true);
}

void TRadioGroup::setBounds(int left, int top, int width, int height) {
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
  if (buttons_.isEmpty()) return;
  const int text_height = QFontMetrics(font()).height();
  const int per_column = static_cast<int>(buttons_.size());
  const int room = height() - text_height - 5;
  const int button_height = room / per_column;
  const int top = text_height + 1 + (room % per_column) / 2;
  const int button_width = width() - 10;
  for (int i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setGeometry(8, top + i * button_height, button_width, button_height);
  }
}
