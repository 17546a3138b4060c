#include "log_reader.h"

#include <string_view>

#include "renamer_error.h"
#include "run_log.h"

namespace quillon {
namespace {

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
  throw RenamerError("Not a rename log: " + what + (line ? " at line " + std::to_string(line) : ""));
}

// The log's lines, split at LF with a CR before it dropped.
std::vector<std::u16string> Lines(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) Fail(0, "no UTF-16 byte-order mark");
  if (bytes.size() % 2 != 0) Fail(0, "an odd number of bytes");
  std::vector<std::u16string> lines(1);
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (unit == u'\n') {
      if (!lines.back().empty() && lines.back().back() == u'\r') lines.back().pop_back();
      lines.emplace_back();
    } else {
      lines.back().push_back(unit);
    }
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

std::vector<LoggedRename> ReadRunLog(std::span<const std::uint8_t> bytes, PathStyle style) {
  const std::vector<std::u16string> lines = Lines(bytes);
  const char16_t separator = Separator(style);
  std::vector<LoggedRename> renames;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const std::size_t line = i + 1;
    const std::u16string_view source = lines[i];
    if (!source.starts_with(kSourcePrefix)) Fail(line, "a record does not begin with its source line");
    if (i + 1 == lines.size() || !std::u16string_view(lines[i + 1]).starts_with(kTargetPrefix)) {
      Fail(line + 1, "the source line is not followed by its new name");
    }
    const std::u16string_view from = source.substr(kSourcePrefix.size());
    const std::u16string_view to = std::u16string_view(lines[++i]).substr(kTargetPrefix.size());

    const std::size_t split = from.rfind(separator);
    if (split == std::u16string_view::npos) Fail(line, "the source has no folder");
    const std::u16string_view folder = from.substr(0, split);
    const std::u16string_view display = from.substr(split + 1);
    if (to.size() <= split || to.substr(0, split + 1) != from.substr(0, split + 1)) {
      Fail(line + 1, "the new name is in another folder");
    }
    const std::u16string_view result = to.substr(split + 1);
    if (result == kCannotRename) continue;
    if (result.empty()) Fail(line + 1, "the new name is empty");
    if (result.find(separator) != std::u16string_view::npos) Fail(line + 1, "the new name is in another folder");

    LoggedRename rename{std::u16string(folder), {}, std::u16string(result), false, line};
    if (display.size() == result.size() + 2 && display.front() == u'<' && display.back() == u'>') {
      rename.is_directory = true;
      rename.old_name = display.substr(1, display.size() - 2);
    } else if (display.size() == result.size()) {
      rename.old_name = display;
    } else {
      Fail(line, "the old and new names differ in length");
    }
    renames.push_back(std::move(rename));
  }
  return renames;
}

}  // namespace quillon
