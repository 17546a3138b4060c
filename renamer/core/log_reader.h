#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "path_style.h"

namespace quillon {

// One rename a run's log records.
struct LoggedRename {
  std::u16string folder;    // the folder as the walk held it
  std::u16string old_name;  // without the angle brackets of a folder
  std::u16string new_name;
  bool is_directory = false;
  std::size_t line = 0;  // where its record begins in the log, from 1
};

// Reads a run's log file (UTF-16 little-endian with its byte-order mark, records of a "來源：" and
// a "改成：" line and an empty line; a recovered log is the same) and returns its renames in the
// order of the log. Records whose result is "*無法改名*" renamed nothing and are left out. The
// folder and the name are split at the last separator of the source line; a display name in
// angle brackets two units longer than the new name is a folder (names keep their length).
// Raises RenamerError, naming the line, when the file is not such a log.
std::vector<LoggedRename> ReadRunLog(std::span<const std::uint8_t> bytes, PathStyle style);

}  // namespace quillon
