#pragma once
// The records of one table file in file order, indexed so that each look-up costs O(1) and finds
// exactly the record that a scan in file order would find first.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cns_key_index.h"
#include "code_unit_index.h"
#include "table_record.h"

namespace tessel {

class CodeTable {
 public:
  CodeTable() = default;
  // Throws std::bad_alloc only if the records cannot be kept; when the index cannot be built the
  // table answers by scanning instead.
  explicit CodeTable(std::vector<TableRecord> records);
  // A table that keeps only its records and answers by scanning them in file order: as when
  // memory for the index ran out, for measuring the index against the scan, and for the loader,
  // whose CodeTables indexes the look-ups of all five tables together.
  static CodeTable WithoutIndex(std::vector<TableRecord> records);
  bool Indexed() const { return indexed_; }

  // `other` of the first record whose `cns` equals the value.
  std::optional<std::uint32_t> FindByCns(std::uint32_t cns_value) const {
    return indexed_ ? by_cns_.Find(cns_value) : ScanByCns(cns_value);
  }

  // `cns` of the first record whose low 16 bits of `other` equal the code.
  std::optional<std::uint32_t> FindByOther(std::uint16_t code) const {
    return indexed_ ? by_other_.Find(code) : ScanByOther(code);
  }

  std::span<const TableRecord> Records() const { return records_; }
  bool empty() const { return records_.empty(); }

 private:
  std::optional<std::uint32_t> ScanByCns(std::uint32_t cns_value) const;
  std::optional<std::uint32_t> ScanByOther(std::uint16_t code) const;

  std::vector<TableRecord> records_;
  bool indexed_ = true;
  CnsKeyIndex by_cns_;
  CodeUnitIndex by_other_;
};

}  // namespace tessel
