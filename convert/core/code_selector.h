#pragma once
// Code selectors and result codes shared by the string and file conversions.

#include <cstdint>

namespace tessel {

// Hosts name encodings by number; only the low 8 bits of a selector argument count.
enum Selector : std::uint8_t {
  kSelectorCns = 0,  // CNS 11643, seven-bit ISO 2022 form
  kSelectorEuc = 1,  // CNS 11643, four-byte EUC form
  kSelectorBig5 = 2,
  kSelectorBig5Alt = 3,  // Big5, differs from 2 only in the pair check
  kSelectorUcs = 4,      // UCS-2, little-endian code units
  kSelectorGbk = 18,
};

enum ResultCode : std::int32_t {
  kResultOk = 0,
  kResultBadSource = 1,
  kResultBadTarget = 2,
  kResultBadPair = -1,
  kResultNoTable = 3,
  kResultBadTable = 4,
  kResultOpenSource = 5,
  kResultCreateTarget = 6,
};

constexpr bool IsKnownSelector(std::uint8_t s) { return s <= 4 || s == kSelectorGbk; }

// The pair check: 1 for an unknown source, 2 for an unknown target, -1 when the two selectors
// share a bit (so a selector with itself is refused, except CNS with CNS), else 0.
constexpr std::int32_t CheckSelectorPair(std::uint8_t source, std::uint8_t target) {
  if (!IsKnownSelector(source)) return kResultBadSource;
  if (!IsKnownSelector(target)) return kResultBadTarget;
  if ((source & target) != 0) return kResultBadPair;
  return kResultOk;
}

}  // namespace tessel
