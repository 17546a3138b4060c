// Which user-defined characters are printed: all 6217 in EUDC-ordinal order, or a From-To range
// of Big5 codes in code order.
#pragma once

#include <cstdint>

#include "code_space.h"

namespace pictor {

struct PrintRange {
  int printAll = 1;              // 1: every user-defined character; 0: startCode to endCode
  std::uint16_t start_code = 0;  // 0 shows as an empty field
  std::uint16_t end_code = 0;
  std::uint16_t firstIndex = 0;  // first position of the walk
  std::uint16_t count = 0;       // characters to print; 0 until the first font choice
};

// Sets the walk from the choice: every character from ordinal 0, or the codes from startCode to
// endCode (accepted by IsEudcCode, start not above end) in ascending code order, where the codes
// between the four ranges are not counted.
inline void SetWalk(PrintRange& range) {
  if (range.printAll == 1) {
    range.firstIndex = 0;
    range.count = EUDC_CHARACTER_COUNT;
  } else {
    range.firstIndex = Big5ToCodeIndex(range.start_code);
    range.count = static_cast<std::uint16_t>(Big5ToCodeIndex(range.end_code) - range.firstIndex + 1);
  }
}

// All characters, with the whole of the first range as the typed codes.
inline void ResetPrintRange(PrintRange& range) {
  range.printAll = 1;
  range.start_code = EudcCodeRange[0].first;
  range.end_code = EudcCodeRange[0].last;
  SetWalk(range);
}

// A From-To range of codes.
inline void SetCodeRange(PrintRange& range, std::uint16_t start_code, std::uint16_t end_code) {
  range.printAll = 0;
  range.start_code = start_code;
  range.end_code = end_code;
  SetWalk(range);
}

// The Big5 code of character n (0 <= n < count) of the walk.
inline std::uint16_t CodeOfWalk(const PrintRange& range, std::uint16_t n) {
  const auto index = static_cast<std::uint16_t>(range.firstIndex + n);
  return range.printAll != 0 ? OrdinalToBig5(index) : CodeIndexToBig5(index);
}

}  // namespace pictor
