#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quillon {

// The error texts the window can show, as the core raises them: 8-bit ASCII, with "%s" or "%d"
// where a message fills in a path, a table field or a number. Numbered for the resources' string
// table.
inline constexpr std::string_view kFileNotFoundText = "File not found";
inline constexpr std::string_view kInvalidFilenameText = "Invalid filename";
inline constexpr std::string_view kTooManyOpenFilesText = "Too many open files";
inline constexpr std::string_view kFileAccessDeniedText = "File access denied";
inline constexpr std::string_view kReadBeyondEndText = "Read beyond end of file";
inline constexpr std::string_view kDiskFullText = "Disk full";
inline constexpr std::string_view kInvalidNumericInputText = "Invalid numeric input";
inline constexpr std::string_view kIoErrorText = "I/O error %d";
inline constexpr std::string_view kNotAnIntegerText = "'%s' is not a valid integer value";
inline constexpr std::string_view kCannotCreateFileText = "Cannot create file %s";
inline constexpr std::string_view kNotAJournalText = "not a journal this program can read";

struct ErrorTextEntry {
  int id;
  std::string_view symbol;  // its name in resource.h
  std::string_view text;
};

std::span<const ErrorTextEntry> ErrorTexts();

// The text with its one "%s" or "%d" replaced by `value`.
std::string FillIn(std::string_view text, std::string_view value);

}  // namespace quillon
