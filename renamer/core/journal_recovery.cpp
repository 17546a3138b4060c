#include "journal_recovery.h"

#include "error_texts.h"
#include "renamer_error.h"
#include "run_log.h"

namespace quillon {
namespace {

// Whether a rename the run did not see finish was made: its new name is in the folder and its
// old name is not (a rename never replaces, so both there means it was refused).
bool WasRenamed(const JournalEntry& entry, FileSystemPort& files) {
  const std::unique_ptr<FolderSearch> folder = files.OpenFolder(entry.folder);
  return folder && folder->Exists(entry.new_name) && !folder->Exists(entry.name);
}

// The moment the recovered log is named after: the last entry's, else the start's, else now.
LocalTime RecoveredLogTime(const JournalContents& contents, ClockPort& clock) {
  if (!contents.entries.empty() && IsPossibleTime(contents.entries.back().time)) return contents.entries.back().time;
  if (IsPossibleTime(contents.started)) return contents.started;
  return clock.Now();
}

}  // namespace

std::vector<std::u16string> RecoveredLogLines(const JournalContents& contents, FileSystemPort& files) {
  RunLog log(contents.style);
  for (const JournalEntry& entry : contents.entries) {
    JournalOutcome outcome = entry.outcome;
    if (outcome == JournalOutcome::kUnknown) outcome = WasRenamed(entry, files) ? JournalOutcome::kRenamed : outcome;
    if (outcome == JournalOutcome::kUnknown) continue;
    const std::u16string display = entry.is_directory ? u"<" + entry.name + u">" : entry.name;
    log.AddRecord(entry.folder, display, outcome == JournalOutcome::kRenamed ? entry.new_name : kCannotRename);
  }
  return log.Lines();
}

std::vector<RecoveredJournal> RecoverLeftJournals(LogFolderPort& logs, FileSystemPort& files, ClockPort& clock,
                                                  const std::string& log_dir, PathStyle style) {
  std::vector<RecoveredJournal> recovered;
  for (const std::string& name : logs.ListFiles(log_dir, kJournalSuffix)) {
    RecoveredJournal result{JoinPath(log_dir, name, style), {}, {}};
    const std::unique_ptr<LeftJournal> journal = logs.TakeLeftJournal(result.journal_path);
    if (!journal) continue;  // a run is writing it, or another start-up took it
    const JournalContents contents = ReadJournal(journal->Contents());
    if (!contents.header_complete) {
      journal->Remove();
      continue;
    }
    if (!contents.recognised) {
      result.error = kNotAJournalText;
      recovered.push_back(std::move(result));
      continue;
    }
    try {
      result.log_path = WriteRecoveredLog(logs, log_dir, style, RecoveredLogTime(contents, clock),
                                          RecoveredLogLines(contents, files));
      journal->Remove();
    } catch (const RenamerError& e) {
      result.error = e.what();
    }
    recovered.push_back(std::move(result));
  }
  return recovered;
}

}  // namespace quillon
