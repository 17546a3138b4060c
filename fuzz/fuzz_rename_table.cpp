// The rename table loader of quillon: any file loads or stops with its error, and the maps hold
// only codes in their slots.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/rename_table.h"
#include "core/renamer_error.h"
#include "core/table_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static quillon::RenameTable table;
  try {
    quillon::LoadRenameTable(std::span<const std::uint8_t>(data, size), table);
  } catch (const quillon::RenamerError&) {
  }
  if (table.ForwardEntryCount() > quillon::RenameTable::kForwardSlots) std::abort();
  if (table.ReverseEntryCount() > quillon::RenameTable::kReverseSlots) std::abort();
  return 0;
}
