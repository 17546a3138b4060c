// One print job: the pages asked for, the copies, the progress that can stop it, and the
// failures of the target, on a target that logs its calls.
#include "core/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/fake_print_target.h"
#include "tests/support/recording_canvas.h"

namespace pictor {
namespace {

using testing::CatalogueFixture;
using testing::FakePrintTarget;

// Every page of a job on 2030 x 2870 holds 196 codes: 32 pages for all 6217.
constexpr std::int32_t kPages = 32;

std::string Page(int n) { return "\xb2\xc4 " + std::to_string(n) + " \xad\xb6"; }  // 第 n 頁

// Logs the progress as "n/total page".
class LoggedProgress : public JobProgress {
 public:
  explicit LoggedProgress(int stop_before = 0) : stop_before_(stop_before) {}
  bool StartingPage(const JobPage& page) override {
    log.push_back("start " + std::to_string(page.ordinal) + "/" + std::to_string(page.total) + " p" +
                  std::to_string(page.page));
    return page.ordinal != stop_before_;
  }
  void FinishedPage(const JobPage& page) override { log.push_back("done " + std::to_string(page.ordinal)); }
  bool StopRequested() const override { return stop_requested; }
  std::vector<std::string> log;
  bool stop_requested = false;

 private:
  int stop_before_;
};

class PrintJob : public ::testing::Test {
 protected:
  JobResult Run(std::optional<PageSpan> pages = std::nullopt, std::int32_t copies = 1,
                JobProgress* progress = nullptr) {
    return RunCatalogueJob(target_, fixture_.State(), {"title", pages, copies}, progress);
  }
  CatalogueFixture fixture_;
  FakePrintTarget target_;
};

TEST_F(PrintJob, PrintsEveryPageOfTheLayoutAsOneDocument) {
  const JobResult result = Run();
  EXPECT_EQ(result.failure, JobFailure::kNone);
  EXPECT_EQ(result.first_page, 1);
  EXPECT_EQ(result.pages, kPages);
  EXPECT_EQ(result.cells, 6217);
  ASSERT_EQ(target_.log.size(), 2u + 2 * kPages);
  EXPECT_EQ(target_.log.front(), "begin title");
  EXPECT_EQ(target_.log[1], "page");
  EXPECT_EQ(target_.log[2], "end page");
  EXPECT_EQ(target_.log.back(), "end");
  EXPECT_EQ(target_.Footers().front(), Page(1));
  EXPECT_EQ(target_.Footers().back(), Page(kPages));
  EXPECT_EQ(JobLayout(target_, fixture_.State()).pageCount, kPages);
}

TEST_F(PrintJob, PrintsThePartOfTheAskedPagesTheJobHas) {
  const JobResult tail = Run(PageSpan{31, 40});
  EXPECT_EQ(tail.first_page, 31);
  EXPECT_EQ(tail.pages, 2);
  EXPECT_EQ(tail.cells, 196 + 141);
  EXPECT_EQ(target_.Footers(), (std::vector<std::string>{Page(31), Page(32)}));

  target_.log.clear();
  EXPECT_EQ(Run(PageSpan{33, 34}).failure, JobFailure::kNoPageChosen);
  EXPECT_TRUE(target_.log.empty());  // no document begun

  EXPECT_EQ(PagesToPrint(std::nullopt, 5), (PageSpan{1, 5}));
  EXPECT_EQ(PagesToPrint(PageSpan{0, 2}, 5), (PageSpan{1, 2}));
  EXPECT_FALSE(PagesToPrint(PageSpan{3, 2}, 5));
}

TEST_F(PrintJob, CopiesAreWholeRunsUnlessThePrinterMakesThem) {
  const JobResult twice = Run(PageSpan{3, 4}, 2);
  EXPECT_EQ(twice.pages, 4);
  EXPECT_EQ(target_.Footers(), (std::vector<std::string>{Page(3), Page(4), Page(3), Page(4)}));
  EXPECT_EQ(std::count(target_.log.begin(), target_.log.end(), "begin title"), 1);

  FakePrintTarget printer;
  printer.makes_copies = true;
  EXPECT_EQ(RunCatalogueJob(printer, fixture_.State(), {"title", PageSpan{3, 4}, 2}).pages, 2);
}

TEST_F(PrintJob, TheProgressHearsEachPageAndCanStopTheJob) {
  LoggedProgress progress;
  Run(PageSpan{3, 4}, 1, &progress);
  EXPECT_EQ(progress.log, (std::vector<std::string>{"start 1/2 p3", "done 1", "start 2/2 p4", "done 2"}));

  target_.log.clear();
  target_.pages.clear();
  LoggedProgress stopping(3);
  const JobResult stopped = Run(PageSpan{3, 32}, 1, &stopping);
  EXPECT_EQ(stopped.failure, JobFailure::kCancelled);
  EXPECT_EQ(stopped.pages, 2);
  EXPECT_EQ(target_.log.back(), "abort");
  EXPECT_EQ(std::count(target_.log.begin(), target_.log.end(), "end"), 0);
}

TEST_F(PrintJob, ATargetThatFailsEndsTheJobWithItsFailure) {
  target_.fail_begin = true;
  EXPECT_EQ(Run().failure, JobFailure::kCannotOpen);
  EXPECT_TRUE(target_.pages.empty());

  FakePrintTarget failing;
  failing.fail_end_page = 2;
  const JobResult result = RunCatalogueJob(failing, fixture_.State(), {"title", std::nullopt, 1});
  EXPECT_EQ(result.failure, JobFailure::kCannotFinish);
  EXPECT_EQ(result.pages, 1);
  EXPECT_EQ(failing.log.back(), "abort");
}

// The platform fails the page it was sending when the user stops the job meanwhile.
TEST_F(PrintJob, APageThatFailsAfterTheUserStoppedIsTheUsersStop) {
  target_.fail_end_page = 2;
  LoggedProgress progress;
  progress.stop_requested = true;
  const JobResult result = Run(std::nullopt, 1, &progress);
  EXPECT_EQ(result.failure, JobFailure::kCancelled);
  EXPECT_EQ(result.pages, 1);
  EXPECT_EQ(target_.log.back(), "abort");
}

}  // namespace
}  // namespace pictor
