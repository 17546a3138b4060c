#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "path_style.h"
#include "ports.h"

namespace quillon {

// The result shown and logged for a rename that failed or was refused.
inline constexpr std::u16string_view kCannotRename = u"*無法改名*";

// How the two lines of a record begin: "來源：" (source) and "改成：" (changed to).
inline constexpr std::u16string_view kSourcePrefix = u"來源：";
inline constexpr std::u16string_view kTargetPrefix = u"改成：";

// What a log recovered from the journal of an unfinished run has after its stamp.
inline constexpr std::string_view kRecoveredSuffix = "-recovered";

// The lines of one run's log, three per row: source, new name, an empty line. The texts are shown
// as ShownText shows them, so the lines are always valid UTF-16.
class RunLog {
 public:
  explicit RunLog(PathStyle style) : separator_(Separator(style)) {}

  void AddRecord(std::u16string_view folder, std::u16string_view display_name, std::u16string_view result);
  const std::vector<std::u16string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

 private:
  char16_t separator_;
  std::vector<std::u16string> lines_;
};

// The log file's bytes: FF FE, then every line in UTF-16 little-endian followed by CR LF.
std::vector<std::uint8_t> EncodeLogFile(std::span<const std::u16string> lines);

// The file name stamp: year (all its digits), month, day, "-", hour, minute, second, the last
// five with two digits each. 15 March 2024, 09:30:05 gives "20240315-093005".
std::string LogStamp(const LocalTime& time);

// True for a time a clock can give: years 1601 to 30827 (the platform clock's range), months
// 1 to 12, days within their month, hours 0 to 23, minutes and seconds 0 to 59. A damaged journal
// can hold others.
bool IsPossibleTime(const LocalTime& time);

// Writes the lines to log_dir + separator + stamp + ".log" and returns that path. A file of that
// name is never replaced: the next free name of the form stamp + "-2.log", "-3.log"... is taken.
// Raises RenamerError "Cannot create file <path>" when no file can be created.
std::string WriteRunLog(LogFolderPort& logs, const std::string& log_dir, PathStyle style, const LocalTime& time,
                        std::span<const std::u16string> lines);

// Writes the log of a run that did not finish, recovered from its journal, like WriteRunLog but
// named stamp + "-recovered.log" (then "-recovered-2.log"...). A file of such a name that already
// holds exactly these lines is the same recovery done before: its path is returned and nothing
// is written.
std::string WriteRecoveredLog(LogFolderPort& logs, const std::string& log_dir, PathStyle style, const LocalTime& time,
                              std::span<const std::u16string> lines);

}  // namespace quillon
