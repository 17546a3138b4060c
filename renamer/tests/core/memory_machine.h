#pragma once

// In-memory stand-ins for the engine's ports: a file system tree whose searches and renames are
// traced, a log folder, a fixed clock, start-up, and a host that records what the window would show.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/ports.h"

namespace quillon::testing {

struct Node {
  std::u16string name;
  bool is_directory = false;
  bool is_link = false;       // a symbolic link, junction or other reparse point
  bool searchable = true;     // false: the folder cannot be listed
  bool rename_fails = false;  // renaming this entry fails in the system
  bool inexact_name = false;  // the system's name has no exact UTF-16 form
  std::vector<std::unique_ptr<Node>> children;

  Node* Add(std::u16string child_name, bool directory = false);
  Node* Find(std::u16string_view child_name);
  std::vector<std::u16string> ChildNames() const;
};

class MemoryFileSystem : public FileSystemPort {
 public:
  explicit MemoryFileSystem(std::vector<std::string>* trace = nullptr, char16_t separator = u'\\');

  // Drives or top folders live under the unnamed root; paths are split at the separator, empty
  // parts skipped; a path that is empty or begins with the separator starts at `current_drive`.
  Node& Root() { return root_; }
  Node* Resolve(std::u16string_view path);
  Node* AddPath(std::u16string_view path, bool directory);

  std::unique_ptr<FolderSearch> OpenFolder(std::u16string_view path) override;

  std::u16string current_drive = u"C:";
  std::vector<std::u16string> patterns;                            // every search started, as path + "\*.*"
  std::vector<std::pair<std::u16string, std::u16string>> renames;  // (old path, new name)

 private:
  friend class MemorySearch;
  std::unique_ptr<FolderSearch> Start(Node* node, std::u16string_view path);

  Node root_;
  std::vector<std::string>* trace_;
  char16_t separator_;
};

// Files by full path. A journal is locked while its writer or a start-up that took it holds it.
class MemoryLogFolder : public LogFolderPort {
 public:
  bool FolderExists(const std::string& path) override { return folders.count(path) != 0; }
  void CreateFolder(const std::string& path) override {
    ++create_calls;
    if (can_create) folders.insert({path, true});
  }
  NewFileResult WriteNewFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
    if (!can_write) return NewFileResult::kFailed;
    if (files.count(path)) return NewFileResult::kAlreadyExists;
    files[path] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    return NewFileResult::kWritten;
  }
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder, std::string_view suffix) override;
  std::unique_ptr<JournalFile> CreateJournal(const std::string& path, NewFileResult& result) override;
  std::unique_ptr<LeftJournal> TakeLeftJournal(const std::string& path) override;

  std::map<std::string, bool> folders;
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::set<std::string> locked;
  bool can_create = true;
  bool can_write = true;
  bool journal_writes_fail = false;
  int create_calls = 0;
  int appends = 0;  // calls that handed bytes to the "system"
  int syncs = 0;
};

class FixedClock : public ClockPort {
 public:
  explicit FixedClock(LocalTime start) : time(start) {}
  LocalTime Now() override { return time; }
  std::uint32_t Milliseconds() override { return milliseconds; }
  // Moves on by `microseconds_step` each time it is read.
  std::uint64_t Microseconds() override {
    const std::uint64_t now = microseconds;
    microseconds += microseconds_step;
    return now;
  }

  LocalTime time;  // both moved on by the test
  std::uint32_t milliseconds = 0;
  std::uint64_t microseconds = 0;
  std::uint64_t microseconds_step = 0;
};

// Start-up over files by path, with the test's drives and profile. 8-bit text widens byte by byte
// (the tests' texts are ASCII).
class MemoryStartup : public StartupPort {
 public:
  int ReadTableFile(const std::string& path, std::vector<std::uint8_t>& contents) override;
  std::string ListFixedDrives() override { return drives; }
  std::string UserProfile() override { return profile; }
  std::u16string Widen(std::string_view text) override { return std::u16string(text.begin(), text.end()); }

  std::map<std::string, std::string> files;
  std::string drives;
  std::string profile;
};

struct Row {
  std::u16string display;
  std::u16string result;
  std::u16string folder;
  bool operator==(const Row&) const = default;
};

class RecordingHost : public RunHost {
 public:
  explicit RecordingHost(std::vector<std::string>* trace = nullptr) : trace_(trace) {}

  void ShowFolder(std::u16string_view path) override;
  void AddRow(std::u16string_view display_name, std::u16string_view result, std::u16string_view folder) override;
  Direction CurrentDirection() override { return direction; }
  void HandlePendingEvents() override;
  bool StopRequested() override { return stop; }

  Direction direction = Direction::kPrivateToStandard;
  bool stop = false;
  int events_handled = 0;
  std::function<void(RecordingHost&)> on_events;  // runs inside HandlePendingEvents
  std::vector<std::u16string> shown;
  std::vector<Row> rows;

 private:
  std::vector<std::string>* trace_;
};

}  // namespace quillon::testing
