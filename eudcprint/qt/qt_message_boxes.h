// Message boxes in the Qt front end: the text, the caption, an OK button and the icon asked for.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/platform_ports.h"

namespace pictor::app {

class QtMessageBoxes : public MessagePort {
 public:
  // Boxes are modal over `owner` (none: over the active window).
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace pictor::app
