// What the print command asks before a job: the print dialog's pages and copies, and, for printing
// to a file, the file dialog's caption, default name, extension and filters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print_job.h"

namespace pictor {

// The print dialog as it opens: pages 1 to the job's page count, all of them chosen, one copy;
// for printing to a file with no file chosen yet, the file's name (in the folder the program
// was started in).
struct PrintDialogOffer {
  std::int32_t min_page = 1;
  std::int32_t max_page = 1;
  PageSpan pages{1, 1};  // the from-to fields
  std::int32_t copies = 1;
  std::string_view output_file_name;
};

PrintDialogOffer OfferPrintDialog(std::int32_t page_count);

// What the user answered: every page or a from-to span, and how many copies.
struct PrintChoice {
  std::optional<PageSpan> pages;
  std::int32_t copies = 1;
  friend bool operator==(const PrintChoice&, const PrintChoice&) = default;
};

// One entry of a file dialog's type list: "Printer Files (*.prn)" with the patterns "*.prn".
struct FileFilter {
  std::string description;
  std::string patterns;  // ";"-separated
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// A file dialog's texts (code page 950); empty ones take the platform's own.
struct FileDialogTexts {
  std::string_view caption;
  std::string default_name;
  std::string_view default_extension;  // without the dot, added to a name typed without one
  std::vector<FileFilter> filters;
};

// The pairs of a filter string "text|patterns|text|patterns||"; a trailing odd text is dropped.
std::vector<FileFilter> ParseFileFilters(std::string_view filter_string);

// 列印至檔案: the file a job printed to a file goes into, with its default name Output.prn.
FileDialogTexts PrintToFileDialog();

// Whether the print command must ask for the file first: printing to a file not chosen yet.
bool NeedsOutputFile(const PrintDestination& destination);

}  // namespace pictor
