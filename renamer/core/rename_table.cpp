#include "rename_table.h"

#include <algorithm>

namespace quillon {

RenameTable::RenameTable() : forward_(kForwardSlots, 0), reverse_(kReverseSlots, 0) {}

void RenameTable::Clear() {
  std::fill(forward_.begin(), forward_.end(), char16_t{0});
  std::fill(reverse_.begin(), reverse_.end(), char16_t{0});
}

bool RenameTable::SetForward(char16_t old_code, char16_t new_code) {
  if (!HasForwardSlot(old_code)) return false;
  forward_[old_code - kFirstForwardCode] = new_code;
  return true;
}

bool RenameTable::SetReverse(char16_t new_code, char16_t old_code) {
  if (new_code >= kReverseSlots) return false;
  reverse_[new_code] = old_code;
  return true;
}

std::size_t RenameTable::ForwardEntryCount() const {
  return static_cast<std::size_t>(std::count_if(forward_.begin(), forward_.end(), [](char16_t c) { return c != 0; }));
}

std::size_t RenameTable::ReverseEntryCount() const {
  return static_cast<std::size_t>(std::count_if(reverse_.begin(), reverse_.end(), [](char16_t c) { return c != 0; }));
}

}  // namespace quillon
