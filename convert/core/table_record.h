#pragma once
// One pairing of a CNS character with its code in another encoding, as stored in a table file.

#include <cstdint>

namespace tessel {

struct TableRecord {
  std::uint32_t cns;    // plane in bits 16-23, first byte in 8-15, second byte in 0-7
  std::uint32_t other;  // Big5/GBK code (lead byte in 8-15) or UCS-2 code unit; low 16 bits used
  friend bool operator==(const TableRecord&, const TableRecord&) = default;
};

}  // namespace tessel
