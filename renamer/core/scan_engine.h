#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "path_style.h"
#include "ports.h"
#include "rename_table.h"
#include "run_journal.h"
#include "run_log.h"

namespace quillon {

struct ScanCounts {
  std::uint64_t entries = 0;  // entries looked at (names beginning with "." not counted)
  std::uint64_t folders = 0;  // folders searched
  std::uint64_t renamed = 0;
  std::uint64_t failed = 0;  // renames that failed or were refused
};

// The walk of one run: depth first, each folder's contents before the folder itself, every name
// mapped with the table and renamed in place when it changes, each change shown as a row and
// recorded as three log lines (names and paths as ShownText shows them).
class ScanEngine {
 public:
  ScanEngine(const RenameTable& table, FileSystemPort& files, LogFolderPort& logs, RunHost& host, PathStyle style,
             std::string log_dir);

  // Each result is appended to the journal as it happens; a rename is recorded before it is made.
  void SetJournal(RunJournal* journal) { journal_ = journal; }

  // Walks each root in turn; once a stop has been requested no further root is started.
  void ScanRoots(std::span<const std::u16string> roots);
  // Walks one folder given by its path, as typed or formed by the run.
  void ScanFolder(std::u16string_view path);

  const RunLog& Log() const { return log_; }
  const ScanCounts& Counts() const { return counts_; }
  // The roots whose folders could not be searched at all, in walking order.
  const std::vector<std::u16string>& UnsearchedRoots() const { return unsearched_roots_; }

 private:
  void Scan(const std::u16string& path, FolderSearch* parent, const DirectoryEntry* entry);
  std::u16string RenameEntry(FolderSearch& folder, const std::u16string& path, const DirectoryEntry& entry);

  const RenameTable& table_;
  FileSystemPort& files_;
  LogFolderPort& logs_;
  RunHost& host_;
  PathStyle style_;
  std::string log_dir_;
  RunLog log_;
  ScanCounts counts_;
  RunJournal* journal_ = nullptr;
  std::vector<std::u16string> unsearched_roots_;
};

}  // namespace quillon
