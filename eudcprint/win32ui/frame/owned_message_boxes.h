// The program's messages as message boxes over the window the user works in (a dialog while one
// is open), which stays disabled until the box is answered.
#pragma once

#include "core/platform_ports.h"

namespace pictor::win32ui {

class OwnedMessageBoxes : public MessagePort {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
};

}  // namespace pictor::win32ui
