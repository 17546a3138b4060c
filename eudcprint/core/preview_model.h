// The print preview without its window: which pages it shows (one, or two consecutive ones side by
// side starting with the current page), the zoom step, which toolbar buttons are enabled, the
// label of the one-page/two-page button and the page description. A front end shows the pages
// and the state, and forwards the toolbar's buttons.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue_state.h"
#include "print_job.h"

namespace pictor {

// Steps in from the whole page (or pair of pages) fitting the window, each doubling the size.
inline constexpr int kPreviewZoomSteps = 2;
inline constexpr double kPreviewZoomStepFactor = 2.0;

// What the front end does after a button.
enum class PreviewAction {
  kNone,       // the button is disabled, or changed nothing
  kShowPages,  // other pages, or one page instead of two or back: draw them again
  kZoom,       // the zoom changed
  kClose,      // 關閉
  kPrint,      // 列印: close, and the print command follows
};

class PreviewModel {
 public:
  // A preview of a job of `pageCount` pages, opening on page 1 alone, fitting the window.
  explicit PreviewModel(std::int32_t page_count);

  std::int32_t PageCount() const { return page_count_; }
  // The pages shown: the current page, and in two-page mode the next one where there is one.
  PageSpan Shown() const;
  bool TwoPages() const { return two_pages_; }
  int ZoomStep() const { return zoom_step_; }  // 0: the pages fit the window
  double ZoomFactor() const;                   // of the fitting size

  // A toolbar button (ID_PREVIEW_...).
  bool IsEnabled(std::uint16_t button) const;
  std::string_view Label(std::uint16_t button) const;
  PreviewAction Press(std::uint16_t button);
  bool PrintRequested() const { return print_requested_; }

  // 第 n 頁, or 第 n 到 m 頁 while two pages show.
  std::string Description() const;

 private:
  std::int32_t page_count_;
  std::int32_t current_ = 1;
  bool two_pages_ = false;
  int zoom_step_ = 0;
  bool print_requested_ = false;
};

// "第 %u 頁" for one page, "第 %u 到 %u 頁" for a span: the two forms of string 61508.
std::string DescribePreviewPages(const PageSpan& pages);

// What the preview draws: the catalogue's pages through the same job as printing.
class PreviewPages {
 public:
  PreviewPages(const CatalogueState& state, std::string title) : state_(state), title_(std::move(title)) {}
  // Draws the pages shown onto the preview's surface.
  JobResult Draw(PrintTarget& target, const PageSpan& pages) const;
  const std::string& Title() const { return title_; }

 private:
  CatalogueState state_;
  std::string title_;
};

}  // namespace pictor
