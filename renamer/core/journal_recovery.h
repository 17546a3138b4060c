#pragma once

#include <string>
#include <vector>

#include "path_style.h"
#include "ports.h"
#include "run_journal.h"

namespace quillon {

// What became of one journal left by a run that did not finish.
struct RecoveredJournal {
  std::string journal_path;
  std::string log_path;  // the recovered log; empty when there is none
  std::string error;     // why there is none, when there should be one (8-bit text)
};

// At start-up: turns every journal in `log_dir` that no running program holds into a log named
// after its last entry's time with kRecoveredSuffix, then removes the journal. When that time is
// not one a clock gives (a damaged journal), the journal's start names the log, and when that is
// not either, the moment of the recovery (`clock`). A journal cut
// short before its header was complete stood for a run that renamed nothing: it is removed and
// not listed. A journal that cannot be read, or whose log cannot be written, stays where it is
// and is listed with the reason.
std::vector<RecoveredJournal> RecoverLeftJournals(LogFolderPort& logs, FileSystemPort& files, ClockPort& clock,
                                                  const std::string& log_dir, PathStyle style);

// The log lines of a journal's entries, three per entry as the run would have logged them. The
// last rename, whose result the run did not record, is looked up in its folder: it counts as
// done when the new name is there and the old one is not, and is left out otherwise.
std::vector<std::u16string> RecoveredLogLines(const JournalContents& contents, FileSystemPort& files);

}  // namespace quillon
