#include "code_table.h"

#include <new>

namespace tessel {

CodeTable::CodeTable(std::vector<TableRecord> records) : records_(std::move(records)) {
  // Filling the indexes in file order, where the first insertion of a key wins, makes them answer
  // exactly what the scan in file order answers.
  try {
    if (!records_.empty()) byCns_.reserve(records_.size());
    for (const TableRecord& r : records_) {
      byCns_.insertIfAbsent(r.cns, r.other);
      byOther_.insertIfAbsent(static_cast<std::uint16_t>(r.other & 0xFFFF), r.cns);
    }
  } catch (const std::bad_alloc&) {
    byCns_ = {};
    byOther_ = {};
    indexed_ = false;
  }
}

CodeTable CodeTable::withoutIndex(std::vector<TableRecord> records) {
  CodeTable table;
  table.records_ = std::move(records);
  table.indexed_ = false;
  return table;
}

std::optional<std::uint32_t> CodeTable::scanByCns(std::uint32_t cnsValue) const {
  for (const TableRecord& r : records_) {
    if (r.cns == cnsValue) return r.other;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> CodeTable::scanByOther(std::uint16_t code) const {
  for (const TableRecord& r : records_) {
    if ((r.other & 0xFFFF) == code) return r.cns;
  }
  return std::nullopt;
}

}  // namespace tessel
