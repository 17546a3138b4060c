#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "path_style.h"
#include "ports.h"

namespace quillon {

// The journal of a run: every result appended to a file in the log folder while the run goes on,
// so that a run that is killed or loses power can still be accounted for. The finished run
// writes its log and removes the journal; a journal that is still there at the next start-up
// belongs to a run that did not finish and is turned into a recovered log.
//
// File format (integers little-endian; texts are a 32-bit count of UTF-16 code units, then the
// units):
//   header   "QUILLONJ", version (1 byte, 1), path style (1 byte: 0 "\", 1 "/"), the run's
//            start time (year 2 bytes; month, day, hour, minute, second 1 byte each), CRC-32 of
//            the 17 bytes before it (4 bytes)
//   record   body length (4 bytes), body, CRC-32 of the body (4 bytes)
//   body     kind (1 byte), time (7 bytes as in the header), then by kind:
//            1 rename about to be made:  folder flag (1 byte), folder path, name, new name
//            2 the result of that rename: 1 renamed, 0 failed (1 byte)
//            3 rename refused:           folder flag, folder path, name, new name
// A record that is cut short or fails its check, and everything after it, is not read: a run
// killed while writing loses only the record it was writing. So is a record whose names no run
// writes (a name empty or holding the separator, a new name of another length).
inline constexpr std::string_view kJournalSuffix = ".journal";

enum class JournalOutcome {
  kRenamed,
  kFailed,   // failed or refused: the log shows "*無法改名*"
  kUnknown,  // the run ended between the record and the rename's result
};

struct JournalEntry {
  LocalTime time;
  bool is_directory = false;
  std::u16string folder;
  std::u16string name;
  std::u16string new_name;
  JournalOutcome outcome = JournalOutcome::kUnknown;
};

struct JournalContents {
  bool header_complete = false;  // false: the file is shorter than a header (nothing was renamed)
  bool recognised = false;       // the header is a journal header of this format
  PathStyle style = PathStyle::kPosix;
  LocalTime started;
  std::vector<JournalEntry> entries;
  bool torn = false;  // a record was cut short or damaged; it and what follows were dropped
};

JournalContents ReadJournal(std::span<const std::uint8_t> bytes);

// The journal's check: CRC-32 as zip and PNG use it.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// Writes the journal of one run. Records of renames reach the system before the rename is made;
// results and refusals wait and go with the next record, or with the batch written at the latest a
// second after the last time the journal was put on the disk.
class RunJournal {
 public:
  // Starts the journal of a run that begins now: a new file named after the moment, with
  // kJournalSuffix, in `log_dir` (made first when missing). Null when no file can be made there.
  static std::unique_ptr<RunJournal> Start(LogFolderPort& logs, ClockPort& clock, const std::string& log_dir,
                                           PathStyle style);

  RunJournal(std::unique_ptr<JournalFile> file, ClockPort& clock, PathStyle style, std::string path);
  ~RunJournal();  // leaves the file, with everything written, for the next start-up to recover
  RunJournal(const RunJournal&) = delete;
  RunJournal& operator=(const RunJournal&) = delete;

  const std::string& Path() const { return path_; }
  // False once the system refused a write: the file does not account for the whole run.
  bool Intact() const { return intact_; }

  void RenameAhead(std::u16string_view folder, std::u16string_view name, std::u16string_view new_name,
                   bool is_directory);
  void RenameDone(bool renamed);
  void Refused(std::u16string_view folder, std::u16string_view name, std::u16string_view new_name, bool is_directory);
  // Called between entries: writes what waits and puts it on the disk once a second has passed
  // since the last time.
  void Tick();
  // The run's log is written: the journal is removed.
  void Discard();

  static constexpr std::uint32_t kSyncIntervalMs = 1000;
  static constexpr std::size_t kBatchBytes = 64 * 1024;

 private:
  void AddRecord(std::uint8_t kind, const std::vector<std::uint8_t>& body_after_time);
  void WritePending();
  void Sync();

  std::unique_ptr<JournalFile> file_;
  ClockPort& clock_;
  std::string path_;
  std::vector<std::uint8_t> pending_;
  bool unsynced_ = false;
  bool intact_ = true;
  std::uint32_t last_sync_ms_;
};

}  // namespace quillon
