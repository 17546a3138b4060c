#pragma once
// The command line of quillon-window-run, the host that runs the real window once over a folder
// for the benchmark and the screenshot.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/name_mapping.h"
#include "toolkit_cli/option_table.h"

namespace quillon::cli {

using toolkit::cli::ExitStatus;
using toolkit::cli::Option;
using toolkit::cli::Parsed;

struct WindowRunOptions {
  Direction direction = Direction::kPrivateToStandard;
  std::string table_path;                          // empty: the table beside the program
  std::string profile;                             // empty: the user's own profile folder
  std::string screenshot;                          // a PNG of the window after the run, or nothing
  std::optional<std::uint64_t> event_interval_us;  // none: the window's own
  std::optional<std::string> folder;
  bool help = false;
  bool version = false;
};

using ParsedWindowRunOptions = Parsed<WindowRunOptions>;

// Reads the arguments after the program's name: exactly one FOLDER.
ParsedWindowRunOptions ParseWindowRunOptions(std::span<const std::string> arguments);

std::string WindowRunHelp();

}  // namespace quillon::cli
