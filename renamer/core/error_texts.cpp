#include "error_texts.h"

#include <array>

namespace quillon {
namespace {

constexpr std::array<ErrorTextEntry, 11> kErrorTexts = {{
    {64, "IDS_FILE_NOT_FOUND", kFileNotFoundText},
    {65, "IDS_INVALID_FILENAME", kInvalidFilenameText},
    {66, "IDS_TOO_MANY_OPEN_FILES", kTooManyOpenFilesText},
    {67, "IDS_FILE_ACCESS_DENIED", kFileAccessDeniedText},
    {68, "IDS_READ_BEYOND_END", kReadBeyondEndText},
    {69, "IDS_DISK_FULL", kDiskFullText},
    {70, "IDS_INVALID_NUMERIC_INPUT", kInvalidNumericInputText},
    {71, "IDS_IO_ERROR", kIoErrorText},
    {72, "IDS_NOT_AN_INTEGER", kNotAnIntegerText},
    {73, "IDS_CANNOT_CREATE_FILE", kCannotCreateFileText},
    {74, "IDS_NOT_A_JOURNAL", kNotAJournalText},
}};

}  // namespace

std::span<const ErrorTextEntry> ErrorTexts() { return kErrorTexts; }

std::string FillIn(std::string_view text, std::string_view value) {
  std::string filled(text);
  std::size_t at = filled.find("%s");
  if (at == std::string::npos) at = filled.find("%d");
  if (at != std::string::npos) filled.replace(at, 2, value);
  return filled;
}

}  // namespace quillon
