#pragma once
// A hash index from a 32-bit CNS value to a 32-bit value in which the first insertion of a key
// wins, so that filling it in search order answers what a search in that order finds first.

#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessel {

class CnsKeyIndex {
 public:
  // Makes room for `count` keys at once, sparing the growth steps.
  void Reserve(std::size_t count) {
    if (count * 2 + 1 > slots_.size()) Rehash(std::bit_ceil(count * 2 + 1));
  }

  void InsertIfAbsent(std::uint32_t key, std::uint32_t value) {
    if (key == kEmptyKey) {
      if (!all_ones_) all_ones_ = value;
      return;
    }
    // At most half full, so that probe sequences stay short.
    if ((size_ + 1) * 2 > slots_.size()) Rehash(slots_.empty() ? 16 : slots_.size() * 2);
    std::size_t slot = HashSlot(key);
    while (slots_[slot].key != kEmptyKey && slots_[slot].key != key) slot = (slot + 1) & mask_;
    if (slots_[slot].key == kEmptyKey) {
      slots_[slot] = Slot{key, value};
      ++size_;
    }
  }

  std::optional<std::uint32_t> Find(std::uint32_t key) const {
    if (key == kEmptyKey) return all_ones_;
    if (slots_.empty()) return std::nullopt;
    for (std::size_t slot = HashSlot(key);; slot = (slot + 1) & mask_) {
      const Slot& s = slots_[slot];
      if (s.key == key) return s.value;
      if (s.key == kEmptyKey) return std::nullopt;
    }
  }

 private:
  void Rehash(std::size_t capacity) {
    std::vector<Slot> old(capacity, Slot{});
    old.swap(slots_);
    mask_ = capacity - 1;
    shift_ = 32u - static_cast<unsigned>(std::countr_zero(capacity));
    if (shift_ >= 32) shift_ = 0;
    for (const Slot& s : old) {
      if (s.key == kEmptyKey) continue;
      std::size_t slot = HashSlot(s.key);
      while (slots_[slot].key != kEmptyKey) slot = (slot + 1) & mask_;
      slots_[slot] = s;
    }
  }

  // All-ones marks an empty slot; that key is kept aside.
  static constexpr std::uint32_t kEmptyKey = 0xFFFFFFFF;

  struct Slot {
    std::uint32_t key = kEmptyKey;
    std::uint32_t value = 0;
  };

  std::size_t HashSlot(std::uint32_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B1u) >> shift_) & mask_;
  }

  std::vector<Slot> slots_;  // open addressing, linear probing
  std::size_t size_ = 0;
  std::size_t mask_ = 0;
  unsigned shift_ = 0;
  std::optional<std::uint32_t> all_ones_;
};

}  // namespace tessel
