#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal_recovery.h"
#include "log_reader.h"
#include "path_style.h"
#include "ports.h"
#include "rename_table.h"
#include "run_journal.h"
#include "scan_engine.h"
#include "undo_run.h"

namespace quillon {

// What start-up found of the runs that did not finish: each recovered log once (two journals can
// give the same log), in the order recovered, and the journals that could not be recovered.
struct RecoveryReport {
  std::vector<std::string> logs;
  std::vector<RecoveredJournal> failures;  // journal path and reason
  bool empty() const { return logs.empty() && failures.empty(); }
};

// How a run's log and journal went.
struct RunLogOutcome {
  std::string log_path;          // empty when no log was written
  std::string error;             // the log could not be written (8-bit text); the journal stays
  bool journal_started = false;  // false: the results were recorded only in the log at the end
  bool journal_intact = true;    // false: the system refused some of the journal's writes
};

struct RunOutcome : RunLogOutcome {
  ScanCounts counts;
  std::vector<std::u16string> unsearched_roots;
};

struct UndoOutcome : RunLogOutcome {
  std::size_t logged = 0;  // renames in the log
  std::uint64_t undone = 0;
  std::vector<UndoSkip> skipped;
};

struct LoadedRunLog {
  std::vector<LoggedRename> renames;
  std::string error;  // the file cannot be read or is not a run's log (8-bit text)
};

enum class RunMode {
  kRename,
  kPreview,  // walk and map as a run would, rename nothing, keep no journal and write no log
};

// The renamer's life over the machine's ports, for every front end: start-up (the table, the
// fixed disks, the log folder, the journals of runs that did not finish), runs with their journal
// and log, and undoing a run from its log.
class RenameSession {
 public:
  RenameSession(StartupPort& startup, FileSystemPort& files, LogFolderPort& logs, ClockPort& clock, PathStyle style);

  // The window's start-up: the table; then the fixed disks, the log folder in the profile, and the
  // recovery of the journals left there. After a table error the rest is skipped: no drives and no
  // log folder (a run then writes its log in the root). Returns the table's error text, empty when
  // it loaded.
  std::string StartUp(const std::string& table_path, RecoveryReport& recovery);

  // The steps of start-up, for hosts that take them in another order.
  std::string LoadTable(const std::string& path);  // the error text, empty when it loaded
  void ListFixedDrives();
  void SetLogFolder(std::string log_dir) { log_dir_ = std::move(log_dir); }
  std::string ProfileLogFolder();  // RenameLogs in the user's profile
  RecoveryReport RecoverLeftJournals();

  // The folders an all-disks run walks, from the drives start-up listed.
  std::vector<std::u16string> AllDiskRoots();
  bool CanSearch(std::u16string_view folder);

  // One run over `roots` in turn. The run keeps a journal while it goes, writes its log at the
  // end (also after a stop) and then removes the journal.
  RunOutcome Run(std::span<const std::u16string> roots, RunHost& host, RunMode mode = RunMode::kRename);

  LoadedRunLog ReadRunLogFile(const std::string& path);
  // Renames back what a run's log records, with a journal and a log of its own.
  UndoOutcome Undo(std::span<const LoggedRename> renames, RunHost& host);

  const std::string& DriveList() const { return drive_list_; }
  const std::string& LogDir() const { return log_dir_; }
  PathStyle Style() const { return style_; }
  ClockPort& Clock() { return clock_; }
  // 8-bit text of the system's code page (paths, messages) as UTF-16.
  std::u16string Widen(std::string_view text) { return startup_.Widen(text); }

 private:
  std::unique_ptr<RunJournal> StartJournal(RunLogOutcome& outcome);
  void WriteLog(RunLogOutcome& outcome, RunJournal* journal, std::span<const std::u16string> lines);

  StartupPort& startup_;
  FileSystemPort& files_;
  LogFolderPort& logs_;
  ClockPort& clock_;
  PathStyle style_;
  RenameTable table_;
  std::string drive_list_;
  std::string log_dir_;
};

}  // namespace quillon
