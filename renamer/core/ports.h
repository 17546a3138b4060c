#pragma once

// What the engine needs from the machine, as small interfaces. The platform adapters implement
// them with real system calls; tests implement them in memory.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "name_mapping.h"

namespace quillon {

struct DirectoryEntry {
  std::u16string name;
  bool is_directory = false;  // shown as "<name>"
  bool walk_into = false;     // a folder the walk may enter: not a symbolic link, junction or other
                              // reparse point, and on the walk's own file system where that matters
  bool name_exact = true;     // false: the system's name has no exact UTF-16 form; it is walked
                              // but never renamed
};

// One open folder: its entries in the file system's order, and what can be done to them.
class FolderSearch {
 public:
  virtual ~FolderSearch() = default;
  // The next entry, including "." and ".." where the system lists them; false at the end.
  virtual bool Next(DirectoryEntry& entry) = 0;
  // Opens a subfolder listed by this search; `path` is the walk's text for it. Null when it
  // cannot be searched.
  virtual std::unique_ptr<FolderSearch> OpenSubfolder(const DirectoryEntry& entry, std::u16string_view path) = 0;
  // Renames an entry of this folder within it. Never replaces an existing name.
  virtual bool Rename(std::u16string_view old_name, std::u16string_view new_name) = 0;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // Starts a search of the folder `path`, as typed or as formed by the run; null when it cannot.
  virtual std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) = 0;
};

enum class NewFileResult { kWritten, kAlreadyExists, kFailed };

// The folder the run logs go to. Paths are 8-bit, in the system's code page.
class LogFolderPort {
 public:
  virtual ~LogFolderPort() = default;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual void CreateFolder(const std::string& path) = 0;  // one level; failures are not reported
  // Creates a file that must not exist yet and writes all the bytes to it.
  virtual NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
};

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class ClockPort {
 public:
  virtual ~ClockPort() = default;
  virtual LocalTime Now() = 0;
};

// What the program asks of the machine while it starts.
class StartupPort {
 public:
  virtual ~StartupPort() = default;
  // Reads a whole file. Returns 0, or the error number (2 not found, 3 bad path, 4 too many open
  // files, 5 access denied, or another system number).
  virtual int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) = 0;
  // The fixed disks as the drive field shows them, each followed by ",".
  virtual std::string ListFixedDrives() = 0;
  // The user's profile folder ("%USERPROFILE%" expanded; unexpanded when the variable is unset).
  virtual std::string UserProfile() = 0;
  // 8-bit text of the system's code page as UTF-16.
  virtual std::u16string Widen(std::string_view text) = 0;
};

// The window (or a headless host) as the running walk sees it.
class RunHost {
 public:
  virtual ~RunHost() = default;
  virtual void ShowFolder(std::u16string_view path) = 0;
  virtual void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) = 0;
  virtual Direction CurrentDirection() = 0;  // read anew for every name
  virtual void HandlePendingEvents() = 0;
  virtual bool StopRequested() = 0;
};

}  // namespace quillon
