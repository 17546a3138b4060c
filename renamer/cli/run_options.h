#pragma once
// The command line of quillon-run.

#include <span>
#include <string>
#include <vector>

#include "core/name_mapping.h"
#include "toolkit_cli/option_table.h"

namespace quillon::cli {

using toolkit::cli::ExitStatus;
using toolkit::cli::Option;
using toolkit::cli::Parsed;

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the table or the log to undo cannot be read; the log cannot be written
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNotAll = 3;    // some names could not be renamed, or some entries not undone
inline constexpr int kExitNoFolder = 4;  // a FOLDER does not exist or cannot be read; nothing was renamed

struct RunOptions {
  Direction direction = Direction::kPrivateToStandard;
  std::string table_path;  // empty: the table beside the program
  std::string log_dir;     // empty: RenameLogs in the profile
  std::string undo_log;
  bool quiet = false;
  bool all_disks = false;
  bool dry_run = false;
  std::vector<std::string> folders;
  bool help = false;
  bool version = false;
};

using ParsedRunOptions = Parsed<RunOptions>;

// Reads the arguments after the program's name. Exactly one scope: FOLDERs, --all-disks or
// --undo LOGFILE; --undo goes with neither --dry-run nor --reverse.
ParsedRunOptions ParseRunOptions(std::span<const std::string> arguments);

// What --help prints.
std::string RunHelp();

}  // namespace quillon::cli
