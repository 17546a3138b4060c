#include "code_table.h"

#include <bit>
#include <new>

namespace tessel {

CodeTable::CodeTable(std::vector<TableRecord> records) : records_(std::move(records)) {
  try {
    buildIndex();
  } catch (const std::bad_alloc&) {
    cnsSlots_ = {};
    otherSlots_ = {};
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

void CodeTable::buildIndex() {
  if (records_.empty()) return;

  // Twice as many slots as records keeps the probe sequences short.
  const std::size_t capacity = std::bit_ceil(records_.size() * 2);
  cnsSlots_.assign(capacity, CnsSlot{});
  cnsMask_ = capacity - 1;
  cnsShift_ = 32u - static_cast<unsigned>(std::countr_zero(capacity));
  if (cnsShift_ >= 32) cnsShift_ = 0;  // a single slot: every key hashes to it

  otherSlots_.assign(0x10000, 0);

  // Walking the records in file order and keeping only the first occurrence of each key makes
  // the index answer exactly what the scan in file order answers.
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const TableRecord& r = records_[i];
    if (r.cns == kEmptyKey) {
      if (!allOnesOther_) allOnesOther_ = r.other;
    } else {
      std::size_t slot = hashSlot(r.cns);
      while (cnsSlots_[slot].key != kEmptyKey && cnsSlots_[slot].key != r.cns) slot = (slot + 1) & cnsMask_;
      if (cnsSlots_[slot].key == kEmptyKey) cnsSlots_[slot] = CnsSlot{r.cns, r.other};
    }
    std::uint32_t& position = otherSlots_[r.other & 0xFFFF];
    if (position == 0) position = static_cast<std::uint32_t>(i + 1);
  }
}

}  // namespace tessel
