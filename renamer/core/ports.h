#pragma once

// What the engine needs from the machine, as small interfaces. The platform adapters implement
// them with real system calls; tests implement them in memory.

#include <cstdint>
#include <memory>
#include <optional>
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
  // True when the folder holds an entry of that name (a link counts as itself, not its target).
  virtual bool Exists(std::u16string_view name) = 0;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // Starts a search of the folder `path`, as typed or as formed by the run; null when it cannot.
  virtual std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) = 0;
};

enum class NewFileResult { kWritten, kAlreadyExists, kFailed };

// The journal a running run appends its results to. While it is open no other program's start-up
// takes it for the journal of a run that did not finish.
class JournalFile {
 public:
  virtual ~JournalFile() = default;  // closes the file and leaves it where it is
  // Hands the bytes to the system: from then on they survive the program being killed.
  virtual bool Append(std::span<const std::uint8_t> bytes) = 0;
  // Has the system put everything appended on the disk: from then on it survives a power cut.
  virtual bool Sync() = 0;
  // Removes the file; the journal is then closed.
  virtual void Remove() = 0;
};

// A journal that no running program holds, taken by one start-up so that no other takes it too.
class LeftJournal {
 public:
  virtual ~LeftJournal() = default;  // lets go of the file, wherever it is
  virtual const std::vector<std::uint8_t>& Contents() const = 0;
  virtual void Remove() = 0;
};

// The folder the run logs go to. Paths are 8-bit, in the system's code page.
class LogFolderPort {
 public:
  virtual ~LogFolderPort() = default;
  virtual bool FolderExists(const std::string& path) = 0;
  virtual void CreateFolder(const std::string& path) = 0;  // one level; failures are not reported
  // Creates a file that must not exist yet and writes all the bytes to it.
  virtual NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  // The whole file; nothing when it cannot be read.
  virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) = 0;
  // The names of the files in `folder` whose names end in `suffix`, in no particular order.
  virtual std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) = 0;
  // Creates a journal file that must not exist yet; null, with the reason in `result`, when it
  // cannot.
  virtual std::unique_ptr<JournalFile> CreateJournal(const std::string& path, NewFileResult& result) = 0;
  // Takes the journal file at `path`; null when a running program holds it or it is gone.
  virtual std::unique_ptr<LeftJournal> TakeLeftJournal(const std::string& path) = 0;
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
  // Milliseconds from a fixed moment, never going back (it may wrap): for measuring intervals.
  virtual std::uint32_t Milliseconds() = 0;
  // Microseconds from a fixed moment, never going back: for pacing the window's event handling.
  virtual std::uint64_t Microseconds() = 0;
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
