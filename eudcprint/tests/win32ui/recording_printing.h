// The frame's printing side for the frame's tests: records which request came, and how, in `log`
// and, when a file is named, one line each in that file; the print dialog is cancelled.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/fake_print_target.h"
#include "win32ui/frame/frame_printing.h"

namespace pictor::testing {

class RecordingPrinting : public win32ui::FramePrinting {
 public:
  explicit RecordingPrinting(const char* log_file = nullptr) : log_file_(log_file != nullptr ? log_file : "") {}

  void SetOwner(HWND window) override { owner = window; }
  void FollowAssociation(const EudcAssociation& followed) override { association = &followed; }
  std::optional<PrintChoice> AskPrint(const PrintDialogOffer& offer) override {
    Record("AskPrint " + std::to_string(offer.min_page) + "-" + std::to_string(offer.max_page));
    return std::nullopt;
  }
  void AskPageSetup() override { Record("AskPageSetup"); }
  PrintTarget& Printer() override { return printer; }
  std::unique_ptr<PrintingBoxPort> ShowPrintingBox(const PrintingBoxTexts&) override {
    Record("ShowPrintingBox");
    return nullptr;
  }
  void ShowPreview(PreviewModel& model, const PreviewPages&) override {
    Record("ShowPreview " + std::to_string(model.PageCount()));
  }

  HWND owner = nullptr;
  const EudcAssociation* association = nullptr;
  FakePrintTarget printer;
  std::vector<std::string> log;

 private:
  void Record(const std::string& line) {
    log.push_back(line);
    if (log_file_.empty()) return;
    if (std::FILE* file = std::fopen(log_file_.c_str(), "a")) {
      std::fprintf(file, "%s\n", line.c_str());
      std::fclose(file);
    }
  }
  std::string log_file_;
};

}  // namespace pictor::testing
