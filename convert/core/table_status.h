#pragma once
// The load-time status word that the conversion entry points consult.

#include <cstdint>

namespace tessel {

enum TableStatusFlag : std::uint16_t {
  TS_B5_MISSING = 0x01,
  TS_B5E_MISSING = 0x02,
  TS_UCS_MISSING = 0x04,
  TS_GBK_MISSING = 0x08,
  TS_HEADER_BAD = 0x10,
  TS_USER_EUDC = 0x80,
};

inline constexpr std::uint16_t kAnyTableMissing = TS_B5_MISSING | TS_B5E_MISSING | TS_UCS_MISSING | TS_GBK_MISSING;

}  // namespace tessel
