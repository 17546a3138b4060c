// A print target for tests: a printer of a given printable area whose job calls are logged, each
// page recorded on a canvas of its own, with failures to order.
#pragma once

#include <string>
#include <vector>

#include "core/print_job.h"
#include "tests/support/recording_canvas.h"

namespace pictor::testing {

class FakePrintTarget : public PrintTarget {
 public:
  explicit FakePrintTarget(PrintableArea area = {2030, 2870}) : area(area) {}

  PrintableArea Area() override { return area; }
  PrintDestination Destination() override { return destination; }
  void SetOutputFile(std::string_view path) override {
    log.push_back("output " + std::string(path));
    destination.port = path;
  }
  bool MakesCopies() override { return makes_copies; }
  bool BeginDocument(std::string_view title) override {
    log.push_back("begin " + std::string(title));
    return !fail_begin;
  }
  PageCanvas* BeginPage() override {
    pages.emplace_back();
    log.push_back("page");
    return &pages.back();
  }
  bool EndPage() override {
    log.push_back("end page");
    return static_cast<int>(pages.size()) != fail_end_page;
  }
  bool EndDocument() override {
    log.push_back("end");
    return true;
  }
  void Abort() override { log.push_back("abort"); }

  // The page numbers printed, from each page's footer.
  std::vector<std::string> Footers() const {
    std::vector<std::string> footers;
    for (const RecordingCanvas& page : pages) footers.push_back(page.operations.back().text);
    return footers;
  }

  PrintableArea area;
  PrintDestination destination{"Office", "LPT1:", false};
  bool makes_copies = false;
  bool fail_begin = false;
  int fail_end_page = 0;  // the page (from 1) whose end fails; 0: none
  std::vector<std::string> log;
  std::vector<RecordingCanvas> pages;
};

}  // namespace pictor::testing
