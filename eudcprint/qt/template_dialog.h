// A Qt dialog built from one of the core's dialog layouts: caption, font, size, and every control
// at its place converted from dialog units, with its text, accelerator and tab order.
#pragma once

#include <QDialog>
#include <QFont>
#include <utility>
#include <vector>

#include "core/dialog_templates.h"

namespace pictor::app {

// The dialog font: the layout's face (新細明體) at its size where it is installed, else the Ming
// face that fontconfig offers for Traditional Chinese.
QFont DialogFont(const DialogTemplate& layout);

// The font's dialog base units: average width of the 52 letters, and line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  // The control of that id (kNoControlId ones are not addressable); null if there is none.
  QWidget* Control(int id) const;
  template <typename Widget>
  Widget* ControlAs(int id) const {
    return qobject_cast<Widget*>(Control(id));
  }
  DialogBaseUnits BaseUnits() const { return units_; }

 protected:
  TemplateDialog(const DialogTemplate& layout, QWidget* parent);
  // Gives the focus to the first control with a tab stop, as a dialog does when it opens.
  void FocusFirstTabStop();
  // Of two radio buttons in one group, only the checked one is reached by Tab.
  void UpdateRadioTabStops();

 private:
  QWidget* Create(const ControlTemplate& control);

  DialogBaseUnits units_{};
  std::vector<std::pair<const ControlTemplate*, QWidget*>> controls_;
};

}  // namespace pictor::app
