#include "name_mapping.h"

#include "shown_text.h"

namespace quillon {

bool IsForbiddenInName(char16_t c) {
  if (c < 0x20 || IsHighSurrogate(c) || IsLowSurrogate(c)) return true;
  switch (c) {
    case u'\\':
    case u'/':
    case u':':
    case u'*':
    case u'?':
    case u'"':
    case u'<':
    case u'>':
    case u'|':
      return true;
    default:
      return false;
  }
}

MappedName MapName(std::u16string_view name, const RenameTable& table, Direction direction) {
  MappedName result;
  result.name.assign(name);
  for (char16_t& unit : result.name) {
    std::optional<char16_t> replacement;
    if (direction == Direction::kPrivateToStandard) {
      if (unit >= 0xE000 && unit <= 0xF8FF) replacement = table.Forward(unit);
    } else {
      replacement = table.Reverse(unit);
    }
    if (!replacement || *replacement == unit) continue;
    // Replacing half of a surrogate pair would leave the other half alone.
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) result.allowed = false;
    unit = *replacement;
    result.changed = true;
    if (IsForbiddenInName(unit)) result.allowed = false;
  }
  if (!result.changed) return result;

  // A replaced last unit that is a dot or a blank would be dropped by Windows, so the file would
  // get another name than the one logged; "." and ".." name the folder itself or its parent.
  const char16_t last = result.name.back();
  const bool last_replaced = last != name.back();
  if (result.name == u"." || result.name == u".." || (last_replaced && (last == u'.' || last == u' '))) {
    result.allowed = false;
  }
  return result;
}

}  // namespace quillon
