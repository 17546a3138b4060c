#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "rename_table.h"

namespace quillon {

class StartupPort;

// The rename table file that ships beside the program.
inline constexpr const char* kRenameTableFileName = "uc-o2n.tbl";

// Fills `table` from the bytes of a rename table file.
// Lines end at LF (a CR before it is dropped). A line beginning with "=" is a mark: entry lines
// after the first mark are two-way. Any other line is an entry: columns 1-4 old code, column 5 a
// separator that is not read, columns 6-9 new code, the rest ignored; each code field is converted
// as "$" + field. Empty lines are passed over. Entries whose old code has no forward slot
// (outside U+E024..U+F848) are passed over, and a two-way entry whose new code is U+FFFF keeps
// its forward half only.
// The table is cleared first. A bad code field raises RenamerError at that line; the entries
// stored before it stay and the lines after it are not read.
void LoadRenameTable(std::span<const std::uint8_t> contents, RenameTable& table);

// The text of an input/output error by its system error number.
std::string IoErrorText(int error_code);

// Reads the table file through the port and loads it; a read failure raises RenamerError with
// IoErrorText of the port's error number, after the table has been cleared.
void LoadRenameTableFile(StartupPort& port, const std::string& path, RenameTable& table);

}  // namespace quillon
