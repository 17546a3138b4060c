// The printer as a print target: a printer on FILE: prints into the file the job names, each copy
// by the job; the printing box shows its lines with the owner disabled, and 取消, heard by the
// abort procedure while a page is sent, stops the job as the user's stop.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/printing_box.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/printing_test_support.h"
#include "win32ui/printing/page_recorder.h"
#include "win32ui/printing/printing_box_window.h"
#include "win32ui/printing/win32_printing.h"

namespace pictor::win32ui {
namespace {

using testing::TestCatalogue;

constexpr std::uint16_t kOmitted[] = {0xFA41};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class PrinterJobTest : public ::testing::Test {
 protected:
  PrinterJobTest()
      : font_file_(testing::WriteEudcFont(folder_, L"eudc.tte", "Job Test EUDC", kOmitted)),
        catalogue_(font_file_, 0xFA40, 0xFEFE) {
    printing_.FollowAssociation(catalogue_.association);
  }

  testing::TestFolder folder_;
  std::wstring font_file_;
  TestCatalogue catalogue_;
  Win32Printing printing_;
};

TEST_F(PrinterJobTest, APrinterOnFilePrintsIntoTheFileTheJobNames) {
  PrintTarget& printer = printing_.Printer();
  const PrintDestination destination = printer.Destination();
  EXPECT_EQ(destination.printer_name, WideToCp950(testing::kTestPrinterName));
  EXPECT_TRUE(destination.to_file);
  EXPECT_TRUE(NeedsOutputFile(destination));  // no file chosen yet

  const HDC printer_dc = CreateICW(nullptr, testing::kTestPrinterName, nullptr, nullptr);
  ASSERT_NE(printer_dc, nullptr);
  EXPECT_EQ(printer.Area(),
            (PrintableArea{GetDeviceCaps(printer_dc, HORZSIZE) * 10, GetDeviceCaps(printer_dc, VERTSIZE) * 10}));
  DeleteDC(printer_dc);

  const std::wstring output = folder_ / L"catalogue.ps";
  printer.SetOutputFile(WideToCp950(output));
  EXPECT_EQ(printer.Destination().port, WideToCp950(output));
  const JobResult result = RunCatalogueJob(printer, catalogue_.State(), {"Catalogue", PageSpan{2, 3}, 2});
  EXPECT_EQ(result.failure, JobFailure::kNone);
  EXPECT_EQ(result.pages, 4);
  EXPECT_FALSE(printer.MakesCopies());
  const std::string postscript = testing::ReadBytes(output);
  EXPECT_EQ(postscript.rfind("%!PS-Adobe", 0), 0u);
  EXPECT_EQ(Count(postscript, "\n%%Page: "), 4u);
  EXPECT_NE(postscript.find("%%Title: Catalogue"), std::string::npos);
  EXPECT_EQ(printing_.MissingGlyphs(), 0);  // FA41 lies on page 1
  // The next job asks for its file again.
  EXPECT_TRUE(NeedsOutputFile(printer.Destination()));

  printer.SetOutputFile(WideToCp950(output));
  EXPECT_EQ(RunCatalogueJob(printer, catalogue_.State(), {"Catalogue", PageSpan{1, 1}, 1}).failure, JobFailure::kNone);
  EXPECT_EQ(printing_.MissingGlyphs(), 1);
}

TEST_F(PrinterJobTest, AFileThatCannotBeWrittenFailsTheJob) {
  PrintTarget& printer = printing_.Printer();
  printer.SetOutputFile(WideToCp950(folder_ / L"no\\such\\folder\\catalogue.ps"));
  EXPECT_EQ(RunCatalogueJob(printer, catalogue_.State(), {"Catalogue", PageSpan{1, 1}, 1}).failure,
            JobFailure::kCannotOpen);
}

// Presses 取消 of the box after the job's second page began.
class CancellingProgress : public JobProgress {
 public:
  CancellingProgress(PrintingBoxPort& box, HWND cancel) : progress_(box), cancel_(cancel) {}
  bool StartingPage(const JobPage& page) override {
    const bool go_on = progress_.StartingPage(page);
    if (page.page == 2) PostMessageW(cancel_, BM_CLICK, 0, 0);
    return go_on;
  }
  bool StopRequested() const override { return progress_.StopRequested(); }

 private:
  PrintingBoxProgress progress_;
  HWND cancel_;
};

TEST_F(PrinterJobTest, ThePrintingBoxShowsTheJobAndItsCancelStopsIt) {
  const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr);
  printing_.SetOwner(owner);
  PrintTarget& printer = printing_.Printer();
  const std::wstring output = folder_ / L"stopped.ps";
  printer.SetOutputFile(WideToCp950(output));
  const PrintingBoxTexts texts = DescribePrintingBox("Catalogue", printer.Destination());
  {
    const std::unique_ptr<PrintingBoxPort> box = printing_.ShowPrintingBox(texts);
    const auto* shown = dynamic_cast<const PrintingBoxWindow*>(box.get());
    ASSERT_NE(shown, nullptr);
    const HWND dialog = shown->Window();
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
    EXPECT_EQ(testing::TextOf(dialog), L"\u5217\u5370\u7a0b\u5f0f");  // 列印程式
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, 201)), L"Catalogue");
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, 202)), testing::kTestPrinterName);
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, 203)), L"to " + output);
    EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, IDCANCEL)), L"\u53d6\u6d88");  // 取消
    EXPECT_FALSE(IsWindowEnabled(owner));

    // Heard while page 2 is sent (where the platform asks the abort procedure then), or at the
    // latest before page 3.
    CancellingProgress progress(*box, GetDlgItem(dialog, IDCANCEL));
    const JobResult result = RunCatalogueJob(printer, catalogue_.State(), {"Catalogue", std::nullopt, 1}, &progress);
    EXPECT_EQ(result.failure, JobFailure::kCancelled);
    EXPECT_GE(result.pages, 1);
    EXPECT_LE(result.pages, 2);
    EXPECT_TRUE(box->Cancelled());
  }
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

// The abort procedure handles the waiting messages, so the box hears 取消 while a page is sent.
TEST_F(PrinterJobTest, TheAbortProcedureHearsCancel) {
  const auto box = printing_.ShowPrintingBox({"Catalogue", "Printer", "to file"});
  const HWND dialog = dynamic_cast<const PrintingBoxWindow&>(*box).Window();
  EXPECT_TRUE(PrintingBoxWindow::AbortProcedure(nullptr, 0));
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_FALSE(PrintingBoxWindow::AbortProcedure(nullptr, 0));
  EXPECT_TRUE(box->Cancelled());
  EXPECT_FALSE(box->ShowPageLine("\xb2\xc4 2 \xad\xb6"));  // 第 2 頁
  EXPECT_EQ(testing::TextOf(GetDlgItem(dialog, 204)), L"\u7b2c 2 \u9801");
}

}  // namespace
}  // namespace pictor::win32ui
