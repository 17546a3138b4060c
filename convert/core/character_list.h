#pragma once
// Where conversions from CNS report the characters that the target cannot hold.

#include <cstdint>
#include <span>

namespace tessel {

class CharacterList {
 public:
  virtual ~CharacterList() = default;
  // The bytes of one CNS character (plane, first, second), as the conversion met it.
  virtual void append(std::span<const std::uint8_t> cns_bytes) = 0;
};

}  // namespace tessel
