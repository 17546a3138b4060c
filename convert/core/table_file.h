#pragma once
// Reading one code table file: a 128-byte header, then N records of W1 + W2 little-endian bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "table_record.h"

namespace tessel {

inline constexpr std::size_t kTableHeaderLength = 128;

struct ParsedTable {
  enum class Outcome {
    kOk,          // records hold what the file holds (possibly fewer than the count claims)
    kHeaderBad,   // header shorter than 128 bytes or its length field is not 128
    kUnreadable,  // negative count or widths, or records of no width: no sensible reading
  };
  Outcome outcome = Outcome::kOk;
  std::vector<TableRecord> records;
  bool out_of_memory = false;  // memory ran out; `records` holds those read until then
};

// Never reads past `bytes`. Fields wider than 4 bytes keep their low 4 bytes; a count larger than
// the file holds yields the whole records that are present.
ParsedTable ParseTableFile(std::span<const std::uint8_t> bytes);

}  // namespace tessel
