#include "qt/template_dialog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "qt/big5_qt.h"
#include "qt/text_face.h"

namespace pictor::app {
namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

bool HasTabStop(const ControlTemplate& control) { return (control.style & kWsTabStop) != 0; }

}  // namespace

QFont DialogFont(const DialogTemplate& layout) {
  QFont font(CatalogueTextFamily(FromCp950(layout.font_face)));
  font.setPointSize(layout.point_size);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  return {AverageCharWidth(metrics.horizontalAdvance(QString::fromLatin1(kLetters))), metrics.height()};
}

TemplateControls::TemplateControls(const DialogTemplate& layout, QWidget& parent) {
  parent.setFont(DialogFont(layout));
  units_ = BaseUnitsOf(parent.font());
  const PixelBox size = ToPixels({0, 0, layout.width, layout.height}, units_);
  size_ = QSize(size.width, size.height);

  for (const ControlTemplate& control : layout.controls) controls_.emplace_back(&control, Create(control, parent));

  // Tab order follows the table; a label's accelerator moves to the next control with a tab stop.
  QWidget* previous = nullptr;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const auto [control, widget] = controls_[i];
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      for (std::size_t j = i + 1; j < controls_.size(); ++j) {
        if (HasTabStop(*controls_[j].first)) {
          label->setBuddy(controls_[j].second);
          break;
        }
      }
    }
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  UpdateRadioTabStops();
}

QWidget* TemplateControls::Create(const ControlTemplate& control, QWidget& parent) {
  const QString text = FromCp950(control.text);
  QWidget* widget = nullptr;
  switch (control.control_class) {
    case ControlClass::kButton: {
      const std::uint32_t type = control.style & kBsTypeMask;
      if (type == kBsGroupBox) {
        auto* group = new QGroupBox(text, &parent);
        group->setFocusPolicy(Qt::NoFocus);
        widget = group;
      } else if (type == kBsAutoRadioButton) {
        widget = new QRadioButton(text, &parent);
      } else {
        auto* button = new QPushButton(text, &parent);
        button->setDefault(type == kBsDefPushButton);
        widget = button;
      }
      break;
    }
    case ControlClass::kStatic: {
      auto* label = new QLabel(text, &parent);
      const std::uint32_t align = control.style & kSsAlignMask;
      label->setAlignment((align == kSsRight    ? Qt::AlignRight
                           : align == kSsCenter ? Qt::AlignHCenter
                                                : Qt::AlignLeft) |
                          Qt::AlignTop);
      label->setFocusPolicy(Qt::NoFocus);
      widget = label;
      break;
    }
    case ControlClass::kEdit: {
      auto* edit = new QLineEdit(&parent);
      if ((control.style & kEsCenter) != 0) edit->setAlignment(Qt::AlignCenter);
      widget = edit;
      break;
    }
    case ControlClass::kListBox: {
      auto* list = new QListWidget(&parent);
      list->setSelectionMode((control.style & kLbsMultipleSel) != 0 ? QAbstractItemView::MultiSelection
                                                                    : QAbstractItemView::SingleSelection);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      widget = list;
      break;
    }
    case ControlClass::kComboBox:
      widget = new QComboBox(&parent);
      break;
  }
  widget->setObjectName(control.id == kNoControlId ? QString() : QString::number(control.id));
  if (!HasTabStop(control) && widget->focusPolicy() != Qt::NoFocus) widget->setFocusPolicy(Qt::ClickFocus);
  const PixelBox box = ToPixels(control.rect, units_);
  int height = box.height;
  // A drop-down list's rectangle includes its open list; closed it is as high as its text.
  if (control.control_class == ControlClass::kComboBox) height = std::min(height, widget->sizeHint().height());
  widget->setGeometry(box.x, box.y, box.width, height);
  return widget;
}

QWidget* TemplateControls::Control(int id) const {
  if (id == kNoControlId) return nullptr;
  for (const auto& [control, widget] : controls_) {
    if (control->id == id) return widget;
  }
  return nullptr;
}

void TemplateControls::FocusFirstTabStop() {
  for (const auto& [control, widget] : controls_) {
    if (HasTabStop(*control) && widget->isEnabled()) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void TemplateControls::UpdateRadioTabStops() {
  // A group runs from a radio button with kWsGroup up to the next control with kWsGroup or a
  // control that is no radio button.
  std::vector<QRadioButton*> group;
  const auto close = [&] {
    bool any_checked = false;
    for (QRadioButton* radio : group) any_checked = any_checked || radio->isChecked();
    for (std::size_t i = 0; i < group.size(); ++i) {
      const bool reached = any_checked ? group[i]->isChecked() : i == 0;
      group[i]->setFocusPolicy(reached ? Qt::StrongFocus : Qt::ClickFocus);
    }
    group.clear();
  };
  for (const auto& [control, widget] : controls_) {
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (radio == nullptr || (control->style & kWsGroup) != 0) close();
    if (radio != nullptr) group.push_back(radio);
  }
  close();
}

TemplateDialog::TemplateDialog(const DialogTemplate& layout, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), controls_(layout, *this) {
  setWindowTitle(FromCp950(layout.caption));
  setFixedSize(controls_.Size());
}

}  // namespace pictor::app
