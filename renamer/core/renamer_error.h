#pragma once

#include <stdexcept>
#include <string>

namespace quillon {

// An error that ends an operation and is shown to the user in one message box.
// The text is 8-bit, in the system's code page, like the paths and table fields it quotes.
class RenamerError : public std::runtime_error {
 public:
  explicit RenamerError(const std::string& text) : std::runtime_error(text) {}
};

// The text as the message box shows it: a "." is added when the last character sorts after ".".
std::string WithClosingPeriod(std::string text);

}  // namespace quillon
