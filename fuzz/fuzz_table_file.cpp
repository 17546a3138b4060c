// The code-table file reader: any bytes give an outcome, never a read past the file, and a table
// built from the records answers like a scan of them in file order.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "code_table.h"
#include "table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tessel::ParsedTable parsed = tessel::ParseTableFile(std::span<const std::uint8_t>(data, size));
  if (parsed.outcome != tessel::ParsedTable::Outcome::kOk) return 0;
  if (size < tessel::kTableHeaderLength) std::abort();  // a table without its header

  const tessel::CodeTable indexed(parsed.records);
  const tessel::CodeTable scanned = tessel::CodeTable::WithoutIndex(parsed.records);
  for (const tessel::TableRecord& record : parsed.records) {
    if (indexed.FindByCns(record.cns) != scanned.FindByCns(record.cns)) std::abort();
    const auto code = static_cast<std::uint16_t>(record.other);
    if (indexed.FindByOther(code) != scanned.FindByOther(code)) std::abort();
  }
  return 0;
}
