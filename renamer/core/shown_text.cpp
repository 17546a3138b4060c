#include "shown_text.h"

namespace quillon {

std::u16string ShownText(std::u16string_view text) {
  std::u16string shown(text);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (IsHighSurrogate(shown[i]) && i + 1 < shown.size() && IsLowSurrogate(shown[i + 1])) {
      ++i;  // a pair
    } else if (IsHighSurrogate(shown[i]) || IsLowSurrogate(shown[i]) || shown[i] == u'\n' || shown[i] == u'\r') {
      shown[i] = kReplacementCharacter;
    }
  }
  return shown;
}

}  // namespace quillon
