#include "rename_session.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "dry_run_file_system.h"
#include "renamer_error.h"
#include "run_journal.h"
#include "run_log.h"
#include "table_loader.h"

namespace quillon {

RenameSession::RenameSession(StartupPort& startup, FileSystemPort& files, LogFolderPort& logs, ClockPort& clock,
                             PathStyle style)
    : startup_(startup), files_(files), logs_(logs), clock_(clock), style_(style) {}

std::string RenameSession::StartUp(const std::string& table_path, RecoveryReport& recovery) {
  if (std::string error = LoadTable(table_path); !error.empty()) return error;
  ListFixedDrives();
  SetLogFolder(ProfileLogFolder());
  recovery = RecoverLeftJournals();
  return {};
}

std::string RenameSession::LoadTable(const std::string& path) {
  try {
    LoadRenameTableFile(startup_, path, table_);
  } catch (const RenamerError& e) {
    return e.what();
  }
  return {};
}

void RenameSession::ListFixedDrives() { drive_list_ = startup_.ListFixedDrives(); }

std::string RenameSession::ProfileLogFolder() { return LogDirFromProfile(startup_.UserProfile(), style_); }

RecoveryReport RenameSession::RecoverLeftJournals() {
  RecoveryReport report;
  for (RecoveredJournal& journal : quillon::RecoverLeftJournals(logs_, files_, clock_, log_dir_, style_)) {
    if (!journal.error.empty()) {
      report.failures.push_back(std::move(journal));
    } else if (std::find(report.logs.begin(), report.logs.end(), journal.log_path) == report.logs.end()) {
      report.logs.push_back(std::move(journal.log_path));
    }
  }
  return report;
}

std::vector<std::u16string> RenameSession::AllDiskRoots() {
  std::vector<std::u16string> roots;
  for (const std::string& root : RootsFromDriveList(drive_list_, style_)) roots.push_back(startup_.Widen(root));
  return roots;
}

bool RenameSession::CanSearch(std::u16string_view folder) { return files_.OpenFolder(folder) != nullptr; }

// Null when no journal can be started: the run goes on, and its results are recorded only in the
// log at the end.
std::unique_ptr<RunJournal> RenameSession::StartJournal(RunLogOutcome& outcome) {
  std::unique_ptr<RunJournal> journal = RunJournal::Start(logs_, clock_, log_dir_, style_);
  outcome.journal_started = journal != nullptr;
  return journal;
}

// The log is named after the moment the run ended. Once it is written the journal goes; when it
// cannot be, the journal stays and the next start-up turns it into a log.
void RenameSession::WriteLog(RunLogOutcome& outcome, RunJournal* journal, std::span<const std::u16string> lines) {
  outcome.journal_intact = !journal || journal->Intact();
  try {
    outcome.log_path = WriteRunLog(logs_, log_dir_, style_, clock_.Now(), lines);
    if (journal) journal->Discard();
  } catch (const RenamerError& e) {
    outcome.error = e.what();
  }
}

RunOutcome RenameSession::Run(std::span<const std::u16string> roots, RunHost& host, RunMode mode) {
  RunOutcome outcome;
  DryRunFileSystem preview(files_);
  FileSystemPort& files = mode == RunMode::kPreview ? static_cast<FileSystemPort&>(preview) : files_;
  ScanEngine engine(table_, files, logs_, host, style_, log_dir_);
  if (mode == RunMode::kPreview) {
    engine.ScanRoots(roots);
  } else {
    const std::unique_ptr<RunJournal> journal = StartJournal(outcome);
    engine.SetJournal(journal.get());
    engine.ScanRoots(roots);
    WriteLog(outcome, journal.get(), engine.Log().Lines());
  }
  outcome.counts = engine.Counts();
  outcome.unsearched_roots = engine.UnsearchedRoots();
  return outcome;
}

LoadedRunLog RenameSession::ReadRunLogFile(const std::string& path) {
  LoadedRunLog loaded;
  try {
    const auto bytes = logs_.ReadFile(path);
    if (!bytes) throw RenamerError("Cannot read file " + path);
    loaded.renames = ReadRunLog(*bytes, style_);
  } catch (const RenamerError& e) {
    loaded.error = e.what();
  }
  return loaded;
}

UndoOutcome RenameSession::Undo(std::span<const LoggedRename> renames, RunHost& host) {
  UndoOutcome outcome;
  outcome.logged = renames.size();
  const std::unique_ptr<RunJournal> journal = StartJournal(outcome);
  UndoRun undo(files_, host, style_, journal.get());
  undo.Undo(renames);
  outcome.undone = undo.Undone();
  outcome.skipped = undo.Skipped();
  WriteLog(outcome, journal.get(), undo.Log().Lines());
  return outcome;
}

}  // namespace quillon
