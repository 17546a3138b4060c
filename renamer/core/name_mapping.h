#pragma once

#include <string>
#include <string_view>

#include "rename_table.h"

namespace quillon {

// The direction chosen in the window: item 0 and item 1 of the direction group.
enum class Direction {
  kPrivateToStandard = 0,  // forward look-up, private-use code units only
  kStandardToPrivate = 1,  // reverse look-up, any code unit
};

struct MappedName {
  std::u16string name;   // same length as the old name
  bool changed = false;  // some code unit was replaced
  bool allowed = true;   // false: a replacement would put a character into the name that
                         // names may not hold, replace half of a surrogate pair, or make the
                         // name "." or ".."
};

// Maps a name code unit by code unit (surrogate pairs get no special treatment).
MappedName MapName(std::u16string_view name, const RenameTable& table, Direction direction);

// True for the characters a replacement may not bring into a name: NUL, control characters,
// path separators and the other characters Windows forbids in names ( " * : < > ? | ), and the
// halves of surrogate pairs (a name holding one alone is not valid UTF-16).
bool IsForbiddenInName(char16_t c);

}  // namespace quillon
