#pragma once
// The records of one table file in file order, indexed so that each look-up costs O(1) and finds
// exactly the record that a scan in file order would find first.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "table_record.h"

namespace tessel {

class CodeTable {
 public:
  CodeTable() = default;
  // Throws std::bad_alloc only if the records cannot be kept; when the index cannot be built the
  // table answers by scanning instead.
  explicit CodeTable(std::vector<TableRecord> records);
  // A table that answers by scanning its records in file order, as when memory for the index ran
  // out; used to measure the index against the scan.
  static CodeTable withoutIndex(std::vector<TableRecord> records);
  bool indexed() const { return indexed_; }

  // `other` of the first record whose `cns` equals the value.
  std::optional<std::uint32_t> findByCns(std::uint32_t cnsValue) const {
    if (!indexed_) return scanByCns(cnsValue);
    if (cnsValue == kEmptyKey) return allOnesOther_;
    if (cnsSlots_.empty()) return std::nullopt;
    for (std::size_t slot = hashSlot(cnsValue);; slot = (slot + 1) & cnsMask_) {
      const CnsSlot& s = cnsSlots_[slot];
      if (s.key == cnsValue) return s.other;
      if (s.key == kEmptyKey) return std::nullopt;
    }
  }

  // `cns` of the first record whose low 16 bits of `other` equal the code.
  std::optional<std::uint32_t> findByOther(std::uint16_t code) const {
    if (!indexed_) return scanByOther(code);
    if (otherSlots_.empty()) return std::nullopt;
    const std::uint32_t position = otherSlots_[code];
    if (position == 0) return std::nullopt;
    return records_[position - 1].cns;
  }

  std::span<const TableRecord> records() const { return records_; }
  bool empty() const { return records_.empty(); }

 private:
  // All-ones marks an empty slot; a record with that `cns` value is kept aside.
  static constexpr std::uint32_t kEmptyKey = 0xFFFFFFFF;

  struct CnsSlot {
    std::uint32_t key = kEmptyKey;
    std::uint32_t other = 0;
  };

  std::optional<std::uint32_t> scanByCns(std::uint32_t cnsValue) const;
  std::optional<std::uint32_t> scanByOther(std::uint16_t code) const;
  void buildIndex();

  std::size_t hashSlot(std::uint32_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B1u) >> cnsShift_) & cnsMask_;
  }

  std::vector<TableRecord> records_;
  bool indexed_ = true;
  std::vector<CnsSlot> cnsSlots_;  // open addressing, linear probing
  std::optional<std::uint32_t> allOnesOther_;
  std::size_t cnsMask_ = 0;
  unsigned cnsShift_ = 0;
  std::vector<std::uint32_t> otherSlots_;  // 65536 entries: record position + 1, 0 for none
};

}  // namespace tessel
