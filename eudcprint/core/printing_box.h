// The box shown while a job prints (dialog 30722) without its window: what is printed, to which
// printer and port, the page in hand, and 取消, which stops the job before the next page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "print_job.h"

namespace pictor {

// The lines the box opens with (code page 950), by control id.
struct PrintingBoxTexts {
  std::string document_name;  // kIdPrintingDocument
  std::string printer_name;   // kIdPrintingPrinter
  std::string port_line;      // kIdPrintingPort: "於 port", or "to file" when printing to a file
};

PrintingBoxTexts DescribePrintingBox(std::string_view document_name, const PrintDestination& destination);

// The page line: 第 n 頁.
std::string PrintingPageLine(std::uint32_t page);

// The box as the platform shows it.
class PrintingBoxPort {
 public:
  virtual ~PrintingBoxPort() = default;
  // Shows the page line, lets the box repaint and hear 取消; false once 取消 was pressed.
  virtual bool ShowPageLine(std::string_view cp950) = 0;
  // Whether 取消 was pressed, also while a page was being sent.
  virtual bool Cancelled() const { return false; }
};

// A job's progress shown in the box: the page line of each page before it is drawn.
class PrintingBoxProgress : public JobProgress {
 public:
  explicit PrintingBoxProgress(PrintingBoxPort& box) : box_(box) {}
  bool StartingPage(const JobPage& page) override;
  bool StopRequested() const override { return box_.Cancelled(); }

 private:
  PrintingBoxPort& box_;
};

}  // namespace pictor
