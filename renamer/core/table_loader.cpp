#include "table_loader.h"

#include <string_view>

#include "error_texts.h"
#include "integer_text.h"
#include "ports.h"
#include "renamer_error.h"

namespace quillon {
namespace {

// Columns first..first+3 of the line (fewer when the line ends sooner), with "$" in front.
std::string CodeField(std::string_view line, std::size_t first) {
  std::string field = "$";
  if (first < line.size()) field += line.substr(first, 4);
  return field;
}

}  // namespace

void LoadRenameTable(std::span<const std::uint8_t> contents, RenameTable& table) {
  table.Clear();
  const std::string_view text(reinterpret_cast<const char*>(contents.data()), contents.size());

  bool two_way = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = next;

    if (line.empty()) continue;
    if (line.front() == '=') {
      two_way = true;
      continue;
    }
    // The old code is converted first, so a line with two bad fields names the old one.
    const auto old_code = static_cast<char16_t>(TextToInteger(CodeField(line, 0)));
    const auto new_code = static_cast<char16_t>(TextToInteger(CodeField(line, 5)));
    if (!RenameTable::HasForwardSlot(old_code)) continue;
    table.SetForward(old_code, new_code);
    if (two_way) table.SetReverse(new_code, old_code);
  }
}

std::string IoErrorText(int error_code) {
  switch (error_code) {
    case 2:
      return std::string(kFileNotFoundText);
    case 3:
      return std::string(kInvalidFilenameText);
    case 4:
      return std::string(kTooManyOpenFilesText);
    case 5:
      return std::string(kFileAccessDeniedText);
    case 100:
      return std::string(kReadBeyondEndText);
    case 101:
      return std::string(kDiskFullText);
    case 106:
      return std::string(kInvalidNumericInputText);
    default:
      return FillIn(kIoErrorText, std::to_string(error_code));
  }
}

void LoadRenameTableFile(StartupPort& port, const std::string& path, RenameTable& table) {
  table.Clear();
  std::vector<std::uint8_t> contents;
  if (const int error = port.ReadTableFile(path, contents); error != 0) throw RenamerError(IoErrorText(error));
  LoadRenameTable(contents, table);
}

}  // namespace quillon
