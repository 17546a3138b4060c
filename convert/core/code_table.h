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
  static CodeTable withoutIndex(std::vector<TableRecord> records);
  bool indexed() const { return indexed_; }

  // `other` of the first record whose `cns` equals the value.
  std::optional<std::uint32_t> findByCns(std::uint32_t cnsValue) const {
    return indexed_ ? byCns_.find(cnsValue) : scanByCns(cnsValue);
  }

  // `cns` of the first record whose low 16 bits of `other` equal the code.
  std::optional<std::uint32_t> findByOther(std::uint16_t code) const {
    return indexed_ ? byOther_.find(code) : scanByOther(code);
  }

  std::span<const TableRecord> records() const { return records_; }
  bool empty() const { return records_.empty(); }

 private:
  std::optional<std::uint32_t> scanByCns(std::uint32_t cnsValue) const;
  std::optional<std::uint32_t> scanByOther(std::uint16_t code) const;

  std::vector<TableRecord> records_;
  bool indexed_ = true;
  CnsKeyIndex byCns_;
  CodeUnitIndex byOther_;
};

}  // namespace tessel
