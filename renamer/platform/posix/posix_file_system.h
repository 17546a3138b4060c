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

class PosixLogFolder : public LogFolderPort {
 public:
  bool FolderExists(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
};

class PosixClock : public ClockPort {
 public:
  LocalTime Now() override;
};

// Maps an errno value to the error numbers the table loader reports.
int TableReadError(int errno_value);

}  // namespace quillon::posix
