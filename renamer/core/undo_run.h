#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "log_reader.h"
#include "path_style.h"
#include "ports.h"
#include "run_journal.h"
#include "run_log.h"

namespace quillon {

enum class UndoSkipReason {
  kGone,       // nothing of the new name is in the folder (or the folder cannot be searched)
  kNameTaken,  // the old name is in use again
  kFailed,     // the system refused the rename
};

struct UndoSkip {
  LoggedRename rename;
  std::u16string folder;  // where it was looked for
  UndoSkipReason reason;
};

// Undoes the renames of a run's log: each is renamed back, last rename first, never replacing an
// existing name, with a row and log lines like a run's (the current name as the source, the old
// name as the result, "*無法改名*" for one that could not be undone). Since a run renames a folder
// after its contents, undoing in reverse brings a folder back before the entries logged inside
// it. When a folder stays under its new name, the entries logged inside it are looked for there.
class UndoRun {
 public:
  // `journal` may be null.
  UndoRun(FileSystemPort& files, RunHost& host, PathStyle style, RunJournal* journal);

  // Stops early, like a run, when the host asks for a stop.
  void Undo(std::span<const LoggedRename> renames);

  const RunLog& Log() const { return log_; }
  const std::vector<UndoSkip>& Skipped() const { return skipped_; }
  std::uint64_t Undone() const { return undone_; }

 private:
  std::u16string CurrentFolder(const std::u16string& logged) const;

  FileSystemPort& files_;
  RunHost& host_;
  char16_t separator_;
  RunJournal* journal_;
  RunLog log_;
  std::vector<UndoSkip> skipped_;
  std::uint64_t undone_ = 0;
  // Folders whose logged path no longer names them: (logged path, path now).
  std::vector<std::pair<std::u16string, std::u16string>> moved_folders_;
};

}  // namespace quillon
