#include "renamer_error.h"

namespace quillon {

std::string WithClosingPeriod(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace quillon
