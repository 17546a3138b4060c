// One print job of the catalogue, as the platform's print loop runs it: the document begins with
// its title, each page is begun, drawn and ended, and the document ends, or is aborted when the
// user stops it. The same job prints on paper, into a file and into the preview.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue_state.h"
#include "page_canvas.h"
#include "page_layout.h"

namespace pictor {

// The printable area in 0.1 mm.
struct PrintableArea {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const PrintableArea&, const PrintableArea&) = default;
};

// Where the pages go, as the printing box names it (code page 950).
struct PrintDestination {
  std::string printer_name;
  std::string port;      // the printer's port; for a file, the file (empty until it is chosen)
  bool to_file = false;  // printing to a file
};

// A printer (or a file, or a preview) as the platform drives a print job on it.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  virtual PrintableArea Area() = 0;
  virtual PrintDestination Destination() = 0;
  // The file to print into, as the platform names it, when the destination is a file.
  virtual void SetOutputFile(std::string_view path) = 0;
  // Whether the printer itself makes the copies asked for; if not, the job prints them.
  virtual bool MakesCopies() = 0;

  // Starts the document; false when the printer or the file cannot be opened.
  virtual bool BeginDocument(std::string_view title) = 0;
  // Starts a page and gives its surface, valid until EndPage; null when the page cannot start.
  virtual PageCanvas* BeginPage() = 0;
  virtual bool EndPage() = 0;
  // Ends the document, which then holds the pages ended so far; false when it cannot be finished.
  virtual bool EndDocument() = 0;
  // Throws the document away (the user stopped the job).
  virtual void Abort() = 0;
};

// Pages of a job, from 1, both included.
struct PageSpan {
  std::int32_t first = 1;
  std::int32_t last = 1;
  std::int32_t Count() const { return last - first + 1; }
  friend bool operator==(const PageSpan&, const PageSpan&) = default;
};

struct JobRequest {
  std::string_view title;         // the document's name, code page 950
  std::optional<PageSpan> pages;  // nullopt: every page of the job
  std::int32_t copies = 1;        // copies of the whole range
};

// A page about to be printed or just printed: its number, and its place among the pages the job
// prints (every copy counted).
struct JobPage {
  std::int32_t page = 0;
  std::int32_t ordinal = 0;  // from 1
  std::int32_t total = 0;
};

class JobProgress {
 public:
  virtual ~JobProgress() = default;
  // Before a page is drawn; false stops the job, which is then aborted.
  virtual bool StartingPage(const JobPage& page) = 0;
  virtual void FinishedPage(const JobPage&) {}
  // Whether the user asked the job to stop. The platform may hear that while a page is sent and
  // then fail the page or the document itself: such a failure is the user's stop, not a fault.
  virtual bool StopRequested() const { return false; }
};

enum class JobFailure {
  kNone,
  kNoPageChosen,  // the pages asked for lie outside the job's pages
  kCannotOpen,    // the document could not be begun
  kCannotFinish,  // a page or the document could not be finished
  kCancelled,     // the user stopped the job (the progress asked to stop, or a page or the document
                  // failed after the user asked); the document was aborted
};

struct JobResult {
  JobFailure failure = JobFailure::kNone;
  std::int32_t first_page = 0;
  std::int32_t pages = 0;  // pages printed, every copy counted
  std::int64_t cells = 0;
};

// The layout of a job on the target as it is now (its page count is what the print dialog offers).
PageLayout JobLayout(PrintTarget& target, const CatalogueState& state);

// The pages of a job of `pageCount` pages that a request prints: all of them, or the part of the
// span asked for that the job has; nullopt when none.
std::optional<PageSpan> PagesToPrint(const std::optional<PageSpan>& asked, std::int32_t page_count);

// Lays the catalogue out on the target's printable area and prints the pages asked for, as many
// copies as asked (unless the printer makes them), telling the progress before and after each.
JobResult RunCatalogueJob(PrintTarget& target, const CatalogueState& state, const JobRequest& request,
                          JobProgress* progress = nullptr);

}  // namespace pictor
