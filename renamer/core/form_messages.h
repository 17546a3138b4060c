#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "rename_session.h"

namespace quillon {

enum class MessageIcon { kError, kWarning, kInformation };

// A message box of the window: one OK button, the program's caption.
struct FormMessage {
  MessageIcon icon = MessageIcon::kError;
  std::u16string caption;
  std::u16string text;
  friend bool operator==(const FormMessage&, const FormMessage&) = default;
};

// 8-bit text of the system's code page as UTF-16.
using WidenText = std::function<std::u16string(std::string_view)>;

// An error that ends start-up or a run: the error icon, the text with "." appended when its last
// character sorts after ".".
FormMessage ErrorMessage(std::string_view text, const WidenText& widen);

// One message at start-up for every journal of a run that did not finish: the logs they became,
// one a line, then those that could not be recovered with the reason; the information icon, the
// warning icon when one could not be.
FormMessage RecoveryMessage(const RecoveryReport& report, const WidenText& widen);

}  // namespace quillon
