#pragma once

#include "core/ports.h"

namespace quillon::posix {

// Folders through opendir/readdir on descriptors: subfolders are opened relative to their parent
// without following symbolic links, a walk never leaves the file system of the folder it started
// in, and renames never replace an existing name.
class PosixFileSystem : public FileSystemPort {
 public:
  std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) override;
};

// The log folder and its files. A journal being written holds an exclusive lock (flock), which
// is how a start-up tells a running run's journal from one left by a run that ended.
class PosixLogFolder : public LogFolderPort {
 public:
  bool FolderExists(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override;
  std::unique_ptr<JournalFile> CreateJournal(const std::string& path, NewFileResult& result) override;
  std::unique_ptr<LeftJournal> TakeLeftJournal(const std::string& path) override;
};

class PosixClock : public ClockPort {
 public:
  LocalTime Now() override;
  std::uint32_t Milliseconds() override;
  std::uint64_t Microseconds() override;
};

// Maps an errno value to the error numbers the table loader reports.
int TableReadError(int errno_value);

}  // namespace quillon::posix
