#include "code_table.h"

#include <new>

namespace tessel {

CodeTable::CodeTable(std::vector<TableRecord> records) : records_(std::move(records)) {
  // Filling the indexes in file order, where the first insertion of a key wins, makes them answer
  // exactly what the scan in file order answers.
  try {
    if (!records_.empty()) by_cns_.Reserve(records_.size());
    for (const TableRecord& r : records_) {
      by_cns_.InsertIfAbsent(r.cns, r.other);
      by_other_.InsertIfAbsent(static_cast<std::uint16_t>(r.other & 0xFFFF), r.cns);
    }
  } catch (const std::bad_alloc&) {
    by_cns_ = {};
    by_other_ = {};
    indexed_ = false;
  }
}

CodeTable CodeTable::WithoutIndex(std::vector<TableRecord> records) {
  CodeTable table;
  table.records_ = std::move(records);
  table.indexed_ = false;
  return table;
}

std::optional<std::uint32_t> CodeTable::ScanByCns(std::uint32_t cns_value) const {
  for (const TableRecord& r : records_) {
    if (r.cns == cns_value) return r.other;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> CodeTable::ScanByOther(std::uint16_t code) const {
  for (const TableRecord& r : records_) {
    if ((r.other & 0xFFFF) == code) return r.cns;
  }
  return std::nullopt;
}

}  // namespace tessel
