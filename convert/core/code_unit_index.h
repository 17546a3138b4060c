#pragma once
// A direct index from a 16-bit code (Big5, GBK or a UCS-2 code unit) to a 32-bit value in which
// the first insertion of a code wins.

#include <cstdint>
#include <optional>
#include <vector>

namespace tessel {

class CodeUnitIndex {
 public:
  void insertIfAbsent(std::uint16_t code, std::uint32_t value) {
    if (values_.empty()) {
      values_.assign(0x10000, 0);
      present_.assign(0x10000 / 64, 0);
    }
    std::uint64_t& word = present_[code >> 6];
    const std::uint64_t bit = std::uint64_t{1} << (code & 63);
    if (word & bit) return;
    word |= bit;
    values_[code] = value;
  }

  std::optional<std::uint32_t> find(std::uint16_t code) const {
    if (present_.empty() || !(present_[code >> 6] & (std::uint64_t{1} << (code & 63)))) return std::nullopt;
    return values_[code];
  }

  // The value of every code, 0 where none was inserted (so 0 also stands for a stored 0: a loop
  // that reads 0 asks find()); null before the first insertion.
  const std::uint32_t* values() const { return values_.empty() ? nullptr : values_.data(); }

 private:
  std::vector<std::uint32_t> values_;
  std::vector<std::uint64_t> present_;  // one bit per code: small enough to stay in the cache
};

}  // namespace tessel
