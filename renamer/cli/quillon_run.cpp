// quillon-run: the renamer's walk without a window, for scripts, demos and benchmarks; its preview;
// and the undoing of a run from its log.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/dry_run_file_system.h"
#include "core/journal_recovery.h"
#include "core/log_reader.h"
#include "core/path_style.h"
#include "core/renamer_error.h"
#include "core/run_journal.h"
#include "core/run_log.h"
#include "core/scan_engine.h"
#include "core/table_loader.h"
#include "core/undo_run.h"
#include "core/utf8_text.h"
#include "platform/native_machine.h"

namespace {

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // the table or the log to undo cannot be read; the log cannot be written
constexpr int kExitUsage = 2;
constexpr int kExitNotAll = 3;    // some names could not be renamed, or some entries not undone
constexpr int kExitNoFolder = 4;  // a FOLDER does not exist or cannot be read; nothing was renamed

constexpr const char* kHelp =
    "Usage: quillon-run [OPTION]... FOLDER...\n"
    "       quillon-run [OPTION]... --all-disks\n"
    "       quillon-run [OPTION]... --undo LOGFILE\n"
    "\n"
    "Renames the files and folders whose names hold user-defined characters (private-use code\n"
    "points) to the standard characters that replaced them, or back, following the rename table,\n"
    "the way the quillon window does: depth first, each folder after its contents, never replacing\n"
    "an existing name. Each rename is printed as one line \"old name<TAB>new name<TAB>folder\"\n"
    "(UTF-8; a folder's old name in angle brackets, \"*無法改名*\" for a name that could not be\n"
    "renamed); a summary goes to standard error. The run's log is written to the log folder, one\n"
    "UTF-16 file named by the moment the run ended; while the run goes on, its results are kept in\n"
    "a journal there, which a run that did not finish leaves behind and the next start of\n"
    "quillon-run or of the window turns into a log named ...-recovered.log. Ctrl+C stops the walk\n"
    "the way the Stop button does: the folders being returned from are still renamed and the log\n"
    "is written.\n"
    "\n"
    "  --reverse        rename standard characters back to user-defined ones (the table's two-way\n"
    "                   entries)\n"
    "  --table FILE     the rename table (default: uc-o2n.tbl beside the program)\n"
    "  --log-dir DIR    the log folder (default: RenameLogs in the home folder)\n"
    "  --all-disks      walk every local disk (every local file system from /) instead of FOLDERs\n"
    "  --dry-run        walk and map as a run would, rename nothing: print what would be renamed\n"
    "                   and what could not be; no log is written\n"
    "  --undo LOGFILE   rename back what the run of LOGFILE renamed (a run's log or a recovered\n"
    "                   one), last rename first, never replacing an existing name; entries whose\n"
    "                   file is gone or whose old name is taken are reported and skipped; the\n"
    "                   undo writes a log of its own\n"
    "  --quiet          print no rename lines\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  every name that needed it was renamed (with --dry-run: could be; with --undo: every\n"
    "     entry was undone)\n"
    "  1  the rename table or the log to undo could not be read, or the log could not be written\n"
    "  2  wrong usage\n"
    "  3  some names could not be renamed (with --undo: some entries were skipped, or not tried\n"
    "     because of Ctrl+C)\n"
    "  4  a FOLDER does not exist or cannot be read; nothing was renamed\n";

volatile std::sig_atomic_t g_stop = 0;

void OnInterrupt(int) { g_stop = 1; }

class ConsoleHost : public quillon::RunHost {
 public:
  ConsoleHost(quillon::Direction direction, bool quiet) : direction_(direction), quiet_(quiet) {}

  void ShowFolder(std::u16string_view) override {}
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override {
    if (quiet_) return;
    std::printf("%s\t%s\t%s\n", quillon::ToUtf8(display_name).c_str(), quillon::ToUtf8(result).c_str(),
                quillon::ToUtf8(folder).c_str());
  }
  quillon::Direction CurrentDirection() override { return direction_; }
  void HandlePendingEvents() override {}
  bool StopRequested() override { return g_stop != 0; }

 private:
  quillon::Direction direction_;
  bool quiet_;
};

struct Options {
  quillon::Direction direction = quillon::Direction::kPrivateToStandard;
  std::string table_path;
  std::string log_dir;
  std::string undo_log;
  bool quiet = false;
  bool all_disks = false;
  bool dry_run = false;
  std::vector<std::string> folders;
};

int Usage(const char* problem) {
  std::fprintf(stderr, "quillon-run: %s\nTry 'quillon-run --help'.\n", problem);
  return kExitUsage;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Turns the journals of runs that did not finish into logs, and says so in one line.
void RecoverLeftJournals(quillon::NativeMachine& machine, const std::string& log_dir) {
  std::string logs;
  for (const quillon::RecoveredJournal& r :
       quillon::RecoverLeftJournals(*machine.logs, *machine.files, *machine.clock, log_dir, machine.style)) {
    if (r.error.empty()) {
      logs += (logs.empty() ? "" : ", ") + r.log_path;
    } else {
      std::fprintf(stderr, "quillon-run: the journal %s of a run that did not finish cannot be recovered: %s\n",
                   r.journal_path.c_str(), quillon::WithClosingPeriod(r.error).c_str());
    }
  }
  if (!logs.empty())
    std::fprintf(stderr, "quillon-run: a run that did not finish was recovered into %s\n", logs.c_str());
}

const char* SkipReason(quillon::UndoSkipReason reason) {
  switch (reason) {
    case quillon::UndoSkipReason::kGone:
      return "it is no longer there";
    case quillon::UndoSkipReason::kNameTaken:
      return "its old name is taken";
    case quillon::UndoSkipReason::kFailed:
      break;
  }
  return "the system refused the rename";
}

int Undo(quillon::NativeMachine& machine, const Options& o, ConsoleHost& host) {
  std::vector<quillon::LoggedRename> renames;
  try {
    const auto bytes = machine.logs->ReadFile(o.undo_log);
    if (!bytes) throw quillon::RenamerError("Cannot read file " + o.undo_log);
    renames = quillon::ReadRunLog(*bytes, machine.style);
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "quillon-run: %s: %s\n", o.undo_log.c_str(), quillon::WithClosingPeriod(e.what()).c_str());
    return kExitFailed;
  }

  const auto start = std::chrono::steady_clock::now();
  const std::unique_ptr<quillon::RunJournal> journal =
      quillon::RunJournal::Start(*machine.logs, *machine.clock, o.log_dir, machine.style);
  quillon::UndoRun undo(*machine.files, host, machine.style, journal.get());
  undo.Undo(renames);

  std::string log_path;
  try {
    log_path = quillon::WriteRunLog(*machine.logs, o.log_dir, machine.style, machine.clock->Now(), undo.log().lines());
    if (journal) journal->Discard();
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "quillon-run: %s\n", quillon::WithClosingPeriod(e.what()).c_str());
    return kExitFailed;
  }
  std::fflush(stdout);
  const char separator = machine.style == quillon::PathStyle::kWindows ? '\\' : '/';
  for (const quillon::UndoSkip& skip : undo.skipped()) {
    std::fprintf(stderr, "quillon-run: not undone (log line %zu): %s%c%s: %s\n", skip.rename.line,
                 quillon::ToUtf8(skip.folder).c_str(), separator, quillon::ToUtf8(skip.rename.new_name).c_str(),
                 SkipReason(skip.reason));
  }
  const std::uint64_t left = renames.size() - undo.undone() - undo.skipped().size();
  std::fprintf(stderr, "%llu renames in the log, %llu undone, %llu skipped%s in %.3f s; log: %s\n",
               static_cast<unsigned long long>(renames.size()), static_cast<unsigned long long>(undo.undone()),
               static_cast<unsigned long long>(undo.skipped().size()),
               left ? (" (stopped, " + std::to_string(left) + " not tried)").c_str() : "", SecondsSince(start),
               log_path.c_str());
  return undo.skipped().empty() && left == 0 ? kExitDone : kExitNotAll;
}

int Run(quillon::NativeMachine& machine, const Options& o, ConsoleHost& host) {
  quillon::RenameTable table;
  try {
    quillon::LoadRenameTableFile(*machine.startup, o.table_path, table);
  } catch (const quillon::RenamerError& e) {
    std::fprintf(stderr, "quillon-run: %s: %s\n", o.table_path.c_str(), quillon::WithClosingPeriod(e.what()).c_str());
    return kExitFailed;
  }

  std::vector<std::u16string> roots;
  if (o.all_disks) {
    for (const std::string& root : quillon::RootsFromDriveList(machine.startup->ListFixedDrives(), machine.style)) {
      roots.push_back(machine.startup->Widen(root));
    }
  } else {
    // A folder that is not there is a mistake, not an empty run: say so before renaming anything.
    bool missing = false;
    for (const std::string& folder : o.folders) {
      roots.push_back(machine.startup->Widen(folder));
      if (!machine.files->OpenFolder(roots.back())) {
        std::fprintf(stderr, "quillon-run: %s: no such folder, or it cannot be read\n", folder.c_str());
        missing = true;
      }
    }
    if (missing) return kExitNoFolder;
  }

  quillon::DryRunFileSystem preview(*machine.files);
  quillon::FileSystemPort& files = o.dry_run ? static_cast<quillon::FileSystemPort&>(preview) : *machine.files;
  quillon::ScanEngine engine(table, files, *machine.logs, host, machine.style, o.log_dir);
  std::unique_ptr<quillon::RunJournal> journal;
  if (!o.dry_run) {
    journal = quillon::RunJournal::Start(*machine.logs, *machine.clock, o.log_dir, machine.style);
    if (!journal) {
      std::fprintf(stderr, "quillon-run: cannot start a journal in %s; the renames are recorded only at the end\n",
                   o.log_dir.c_str());
    }
    engine.SetJournal(journal.get());
  }
  const auto start = std::chrono::steady_clock::now();
  engine.ScanRoots(roots);

  std::string log_part;
  if (o.dry_run) {
    log_part = "dry run: nothing was renamed, no log";
  } else {
    try {
      log_part = "log: " + quillon::WriteRunLog(*machine.logs, o.log_dir, machine.style, machine.clock->Now(),
                                                engine.log().lines());
      if (journal) journal->Discard();
    } catch (const quillon::RenamerError& e) {
      std::fprintf(stderr, "quillon-run: %s\n", quillon::WithClosingPeriod(e.what()).c_str());
      return kExitFailed;
    }
    if (journal && !journal->intact()) {
      std::fprintf(stderr, "quillon-run: the journal could not be written in full (the log is complete)\n");
    }
  }
  std::fflush(stdout);
  const quillon::ScanCounts& counts = engine.counts();
  std::fprintf(stderr, "%llu entries in %llu folders, %llu renamed, %llu not renamed%s in %.3f s; %s\n",
               static_cast<unsigned long long>(counts.entries), static_cast<unsigned long long>(counts.folders),
               static_cast<unsigned long long>(counts.renamed), static_cast<unsigned long long>(counts.failed),
               g_stop ? " (stopped)" : "", SecondsSince(start), log_part.c_str());
  return counts.failed == 0 ? kExitDone : kExitNotAll;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return kExitDone;
    } else if (arg == "--version") {
      std::printf("quillon-run %s\n", QUILLON_VERSION);
      return kExitDone;
    } else if (arg == "--reverse") {
      o.direction = quillon::Direction::kStandardToPrivate;
    } else if (arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--all-disks") {
      o.all_disks = true;
    } else if (arg == "--dry-run") {
      o.dry_run = true;
    } else if ((arg == "--table" || arg == "--log-dir" || arg == "--undo") && has_value) {
      (arg == "--table" ? o.table_path : arg == "--log-dir" ? o.log_dir : o.undo_log) = argv[++i];
      if (arg == "--undo" && o.undo_log.empty()) return Usage("--undo needs a log file");
    } else if (arg == "--table" || arg == "--log-dir" || arg == "--undo") {
      return Usage((arg + " needs a value").c_str());
    } else if (arg == "--") {
      for (++i; i < argc; ++i) o.folders.emplace_back(argv[i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage(("unknown option " + arg).c_str());
    } else {
      o.folders.push_back(arg);
    }
  }
  const bool undo = !o.undo_log.empty();
  const int scopes = (o.all_disks ? 1 : 0) + (o.folders.empty() ? 0 : 1) + (undo ? 1 : 0);
  if (scopes != 1) return Usage("give FOLDERs, --all-disks or --undo LOGFILE (one of them)");
  if (undo && o.dry_run) return Usage("--dry-run does not go with --undo");
  if (undo && o.direction == quillon::Direction::kStandardToPrivate) return Usage("--reverse does not go with --undo");

  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  if (o.table_path.empty()) o.table_path = quillon::ProgramFolder() + quillon::kRenameTableFileName;
  if (o.log_dir.empty()) o.log_dir = quillon::LogDirFromProfile(machine.startup->UserProfile(), machine.style);

  RecoverLeftJournals(machine, o.log_dir);

  std::signal(SIGINT, OnInterrupt);
  ConsoleHost host(o.direction, o.quiet);
  return undo ? Undo(machine, o, host) : Run(machine, o, host);
}
