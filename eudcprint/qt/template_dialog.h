// Qt windows built from the core's dialog layouts: caption, font, size, and every control at its
// place converted from dialog units, with its text, accelerator and tab order.
#pragma once

#include <QDialog>
#include <QFont>
#include <QSize>
#include <utility>
#include <vector>

#include "core/dialog_templates.h"

namespace pictor::app {

// The dialog font: the layout's face (新細明體) at its size where it is installed, else the Ming
// face that fontconfig offers for Traditional Chinese.
QFont DialogFont(const DialogTemplate& layout);

// The font's dialog base units: average width of the 52 letters, and line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// The controls of a layout, made in a widget (a dialog, or a strip such as the preview's toolbar)
// whose font becomes the layout's.
class TemplateControls {
 public:
  TemplateControls(const DialogTemplate& layout, QWidget& parent);

  // The control of that id (kNoControlId ones are not addressable); null if there is none.
  QWidget* Control(int id) const;
  template <typename Widget>
  Widget* ControlAs(int id) const {
    return qobject_cast<Widget*>(Control(id));
  }
  DialogBaseUnits BaseUnits() const { return units_; }
  // The layout's size in pixels.
  QSize Size() const { return size_; }

  // Gives the focus to the first enabled control with a tab stop, as a dialog does when it opens.
  void FocusFirstTabStop();
  // Of two radio buttons in one group, only the checked one is reached by Tab.
  void UpdateRadioTabStops();

 private:
  QWidget* Create(const ControlTemplate& control, QWidget& parent);

  DialogBaseUnits units_{};
  QSize size_;
  std::vector<std::pair<const ControlTemplate*, QWidget*>> controls_;
};

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  QWidget* Control(int id) const { return controls_.Control(id); }
  template <typename Widget>
  Widget* ControlAs(int id) const {
    return controls_.ControlAs<Widget>(id);
  }
  DialogBaseUnits BaseUnits() const { return controls_.BaseUnits(); }

 protected:
  TemplateDialog(const DialogTemplate& layout, QWidget* parent, Qt::WindowFlags flags = Qt::WindowFlags());
  void FocusFirstTabStop() { controls_.FocusFirstTabStop(); }
  void UpdateRadioTabStops() { controls_.UpdateRadioTabStops(); }

 private:
  TemplateControls controls_;
};

}  // namespace pictor::app
