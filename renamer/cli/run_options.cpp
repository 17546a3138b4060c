#include "cli/run_options.h"

#include <array>

#include "core/run_log.h"
#include "core/utf8_text.h"

namespace quillon::cli {

using toolkit::cli::ExitStatusHelp;
using toolkit::cli::OptionHelp;
using toolkit::cli::ReadArguments;
namespace {

constexpr std::array<Option<RunOptions>, 9> kOptions = {{
    {"--reverse", "", "", "rename standard characters back to user-defined ones (the table's two-way\nentries)",
     [](RunOptions& o, const std::string&) -> std::string {
       o.direction = Direction::kStandardToPrivate;
       return {};
     }},
    {"--table", "", "FILE", "the rename table (default: uc-o2n.tbl beside the program)",
     [](RunOptions& o, const std::string& value) -> std::string {
       o.table_path = value;
       return {};
     }},
    {"--log-dir", "", "DIR", "the log folder (default: RenameLogs in the home folder)",
     [](RunOptions& o, const std::string& value) -> std::string {
       o.log_dir = value;
       return {};
     }},
    toolkit::cli::FlagOption<RunOptions, &RunOptions::all_disks>(
        "--all-disks", "walk every local disk (every local file system from /) instead of FOLDERs"),
    toolkit::cli::FlagOption<RunOptions, &RunOptions::dry_run>(
        "--dry-run",
        "walk and map as a run would, rename nothing: print what would be renamed\nand what could not be; no log is "
        "written"),
    {"--undo", "", "LOGFILE",
     "rename back what the run of LOGFILE renamed (a run's log or a recovered\none), last rename first, never "
     "replacing an existing name; entries whose\nfile is gone or whose old name is taken are reported and skipped; "
     "the\nundo writes a log of its own",
     [](RunOptions& o, const std::string& value) -> std::string {
       o.undo_log = value;
       return value.empty() ? "--undo needs a log file" : "";
     }},
    toolkit::cli::FlagOption<RunOptions, &RunOptions::quiet>("--quiet", "print no rename lines"),
    toolkit::cli::HelpOption<RunOptions>("print this help and exit"),
    toolkit::cli::VersionOption<RunOptions>("print the version and exit"),
}};

constexpr std::array<ExitStatus, 5> kExitStatuses = {{
    {kExitDone,
     "every name that needed it was renamed (with --dry-run: could be; with --undo: every\nentry was undone)"},
    {kExitFailed, "the rename table or the log to undo could not be read, or the log could not be written"},
    {kExitUsage, "wrong usage"},
    {kExitNotAll,
     "some names could not be renamed (with --undo: some entries were skipped, or not tried\nbecause of Ctrl+C)"},
    {kExitNoFolder, "a FOLDER does not exist or cannot be read; nothing was renamed"},
}};

// The help's column for option texts.
constexpr std::size_t kHelpColumn = 19;

}  // namespace

ParsedRunOptions ParseRunOptions(std::span<const std::string> arguments) {
  ParsedRunOptions parsed =
      ReadArguments<RunOptions>(arguments, kOptions, [](RunOptions& o, const std::string& folder) -> std::string {
        o.folders.push_back(folder);
        return {};
      });
  const RunOptions& o = parsed.options;
  if (!parsed.error.empty() || o.help || o.version) return parsed;
  const bool undo = !o.undo_log.empty();
  const int scopes = (o.all_disks ? 1 : 0) + (o.folders.empty() ? 0 : 1) + (undo ? 1 : 0);
  if (scopes != 1) {
    parsed.error = "give FOLDERs, --all-disks or --undo LOGFILE (one of them)";
  } else if (undo && o.dry_run) {
    parsed.error = "--dry-run does not go with --undo";
  } else if (undo && o.direction == Direction::kStandardToPrivate) {
    parsed.error = "--reverse does not go with --undo";
  }
  return parsed;
}

std::string RunHelp() {
  return "Usage: quillon-run [OPTION]... FOLDER...\n"
         "       quillon-run [OPTION]... --all-disks\n"
         "       quillon-run [OPTION]... --undo LOGFILE\n"
         "\n"
         "Renames the files and folders whose names hold user-defined characters (private-use code\n"
         "points) to the standard characters that replaced them, or back, following the rename table,\n"
         "the way the quillon window does: depth first, each folder after its contents, never replacing\n"
         "an existing name. Each rename is printed as one line \"old name<TAB>new name<TAB>folder\"\n"
         "(UTF-8; a folder's old name in angle brackets, \"" +
         ToUtf8(kCannotRename) +
         "\" for a name that could not be\n"
         "renamed); a summary goes to standard error. The run's log is written to the log folder, one\n"
         "UTF-16 file named by the moment the run ended; while the run goes on, its results are kept in\n"
         "a journal there, which a run that did not finish leaves behind and the next start of\n"
         "quillon-run or of the window turns into a log named ...-recovered.log. Ctrl+C stops the walk\n"
         "the way the Stop button does: the folders being returned from are still renamed and the log\n"
         "is written.\n"
         "\n" +
         OptionHelp<RunOptions>(kOptions, kHelpColumn) + "\n" + ExitStatusHelp(kExitStatuses);
}

}  // namespace quillon::cli
