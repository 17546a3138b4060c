#include "run_log.h"

#include <cstdio>

#include "error_texts.h"
#include "renamer_error.h"
#include "shown_text.h"

namespace quillon {

void RunLog::AddRecord(std::u16string_view folder, std::u16string_view display_name, std::u16string_view result) {
  const std::u16string shown_folder = ShownText(folder);
  std::u16string source(kSourcePrefix);
  source.append(shown_folder).push_back(separator_);
  source.append(ShownText(display_name));
  std::u16string target(kTargetPrefix);
  target.append(shown_folder).push_back(separator_);
  target.append(ShownText(result));
  lines_.push_back(std::move(source));
  lines_.push_back(std::move(target));
  lines_.emplace_back();
}

std::vector<std::uint8_t> EncodeLogFile(std::span<const std::u16string> lines) {
  std::size_t units = 0;
  for (const auto& line : lines) units += line.size() + 2;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(2 + units * 2);
  bytes.push_back(0xFF);
  bytes.push_back(0xFE);
  auto put = [&bytes](char16_t unit) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  };
  for (const auto& line : lines) {
    for (char16_t unit : line) put(unit);
    put(u'\r');
    put(u'\n');
  }
  return bytes;
}

std::string LogStamp(const LocalTime& time) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d%.2d%.2d-%.2d%.2d%.2d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return buffer;
}

bool IsPossibleTime(const LocalTime& time) {
  constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12) return false;
  const bool leap = (time.year % 4 == 0 && time.year % 100 != 0) || time.year % 400 == 0;
  const int days = kDaysInMonth[time.month - 1] + (time.month == 2 && leap ? 1 : 0);
  return time.day >= 1 && time.day <= days && time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
         time.minute <= 59 && time.second >= 0 && time.second <= 59;
}

namespace {

// Writes the lines to base + ".log", or to the first free name of base + "-2.log", "-3.log"...
// With `same_counts`, a file already there that holds exactly these bytes is taken as written.
std::string WriteLogFile(LogFolderPort& logs, const std::string& base, std::span<const std::u16string> lines,
                         bool same_counts) {
  const std::vector<std::uint8_t> bytes = EncodeLogFile(lines);
  constexpr int kMaxSuffix = 999;
  for (int n = 1; n <= kMaxSuffix; ++n) {
    const std::string path = n == 1 ? base + ".log" : base + "-" + std::to_string(n) + ".log";
    switch (logs.WriteNewFile(path, bytes)) {
      case NewFileResult::kWritten:
        return path;
      case NewFileResult::kAlreadyExists:
        if (same_counts && logs.ReadFile(path) == bytes) return path;
        continue;
      case NewFileResult::kFailed:
        throw RenamerError(FillIn(kCannotCreateFileText, path));
    }
  }
  throw RenamerError(FillIn(kCannotCreateFileText, base + ".log"));
}

std::string LogFileBase(const std::string& log_dir, PathStyle style, const LocalTime& time) {
  return JoinPath(log_dir, LogStamp(time), style);
}

}  // namespace

std::string WriteRunLog(LogFolderPort& logs, const std::string& log_dir, PathStyle style, const LocalTime& time,
                        std::span<const std::u16string> lines) {
  return WriteLogFile(logs, LogFileBase(log_dir, style, time), lines, false);
}

std::string WriteRecoveredLog(LogFolderPort& logs, const std::string& log_dir, PathStyle style, const LocalTime& time,
                              std::span<const std::u16string> lines) {
  return WriteLogFile(logs, LogFileBase(log_dir, style, time) + std::string(kRecoveredSuffix), lines, true);
}

}  // namespace quillon
