#pragma once
// A direct index from a 16-bit code (Big5, GBK or a UCS-2 code unit) to a value (a CNS value, or
// a 16-bit code) in which the first insertion of a code wins.

#include <cstdint>
#include <optional>
#include <vector>

namespace tessel {

template <typename Value>
class CodeUnitIndexOf {
 public:
  void InsertIfAbsent(std::uint16_t code, Value value) {
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

  std::optional<Value> Find(std::uint16_t code) const {
    if (present_.empty() || !(present_[code >> 6] & (std::uint64_t{1} << (code & 63)))) return std::nullopt;
    return values_[code];
  }

  // The value of every code, 0 where none was inserted (so 0 also stands for a stored 0: a loop
  // that reads 0 asks find()); null before the first insertion.
  const Value* Values() const { return values_.empty() ? nullptr : values_.data(); }

 private:
  std::vector<Value> values_;
  std::vector<std::uint64_t> present_;  // one bit per code: small enough to stay in the cache
};

using CodeUnitIndex = CodeUnitIndexOf<std::uint32_t>;
// Small enough for the arrays of codes that the conversion loops read most.
using CodeUnitIndex16 = CodeUnitIndexOf<std::uint16_t>;

}  // namespace tessel
