#include "print_job.h"

#include <algorithm>

#include "page_drawing.h"

namespace pictor {

PageLayout JobLayout(PrintTarget& target, const CatalogueState& state) {
  const PrintableArea area = target.Area();
  return ComputePageLayout(area.width, area.height, state);
}

std::optional<PageSpan> PagesToPrint(const std::optional<PageSpan>& asked, std::int32_t page_count) {
  PageSpan pages{1, page_count};
  if (asked) pages = {std::max(1, asked->first), std::min(page_count, asked->last)};
  if (pages.first > pages.last) return std::nullopt;
  return pages;
}

JobResult RunCatalogueJob(PrintTarget& target, const CatalogueState& state, const JobRequest& request,
                          JobProgress* progress) {
  JobResult result;
  PageLayout layout = JobLayout(target, state);
  const auto pages = PagesToPrint(request.pages, layout.pageCount);
  if (!pages) {
    result.failure = JobFailure::kNoPageChosen;
    return result;
  }
  result.first_page = pages->first;
  if (!target.BeginDocument(request.title)) {
    result.failure = JobFailure::kCannotOpen;
    return result;
  }

  const std::int32_t copies = target.MakesCopies() ? 1 : std::max(1, request.copies);
  const std::int32_t total = pages->Count() * copies;
  const auto stopped_by_user = [&] { return progress != nullptr && progress->StopRequested(); };
  const auto stop = [&](JobFailure failure) {
    target.Abort();
    result.failure = stopped_by_user() ? JobFailure::kCancelled : failure;
    return result;
  };
  for (std::int32_t copy = 0; copy < copies; ++copy) {
    for (std::int32_t page = pages->first; page <= pages->last; ++page) {
      const JobPage now{page, result.pages + 1, total};
      if (progress != nullptr && !progress->StartingPage(now)) return stop(JobFailure::kCancelled);
      PageCanvas* canvas = target.BeginPage();
      if (canvas == nullptr) return stop(JobFailure::kCannotFinish);
      result.cells += DrawPage(*canvas, layout, state, page);
      if (!target.EndPage()) return stop(JobFailure::kCannotFinish);
      ++result.pages;
      if (progress != nullptr) progress->FinishedPage(now);
    }
  }
  if (!target.EndDocument()) result.failure = stopped_by_user() ? JobFailure::kCancelled : JobFailure::kCannotFinish;
  return result;
}

}  // namespace pictor
