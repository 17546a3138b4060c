#include "preview_model.h"

#include <algorithm>
#include <cstdio>

#include "dialog_templates.h"
#include "shell_resources.h"
#include "string_table.h"

namespace pictor {

PreviewModel::PreviewModel(std::int32_t page_count) : page_count_(std::max(1, page_count)) {}

PageSpan PreviewModel::Shown() const {
  const std::int32_t last = two_pages_ ? std::min(current_ + 1, page_count_) : current_;
  return {current_, last};
}

double PreviewModel::ZoomFactor() const {
  double factor = 1;
  for (int step = 0; step < zoom_step_; ++step) factor *= kPreviewZoomStepFactor;
  return factor;
}

bool PreviewModel::IsEnabled(std::uint16_t button) const {
  switch (button) {
    case ID_PREVIEW_NEXT:
      return Shown().last < page_count_;
    case ID_PREVIEW_PREV:
      return current_ > 1;
    case ID_PREVIEW_NUMPAGE:
      return page_count_ > 1 || two_pages_;
    case ID_PREVIEW_ZOOMIN:
      return zoom_step_ < kPreviewZoomSteps;
    case ID_PREVIEW_ZOOMOUT:
      return zoom_step_ > 0;
    case ID_PREVIEW_PRINT:
    case ID_PREVIEW_CLOSE:
      return true;
    default:
      return false;
  }
}

std::string_view PreviewModel::Label(std::uint16_t button) const {
  // The one-page/two-page button names the mode it switches to.
  if (button == ID_PREVIEW_NUMPAGE) return LoadStringResource(two_pages_ ? kPreviewOnePageId : kPreviewTwoPagesId);
  const ControlTemplate* control = FindControl(PreviewToolbarTemplate(), button);
  return control != nullptr ? control->text : std::string_view();
}

PreviewAction PreviewModel::Press(std::uint16_t button) {
  if (!IsEnabled(button)) return PreviewAction::kNone;
  const std::int32_t shown = Shown().Count();
  switch (button) {
    case ID_PREVIEW_NEXT:
      current_ += shown;
      return PreviewAction::kShowPages;
    case ID_PREVIEW_PREV:
      current_ = std::max(1, current_ - (two_pages_ ? 2 : 1));
      return PreviewAction::kShowPages;
    case ID_PREVIEW_NUMPAGE:
      two_pages_ = !two_pages_;
      return PreviewAction::kShowPages;
    case ID_PREVIEW_ZOOMIN:
      ++zoom_step_;
      return PreviewAction::kZoom;
    case ID_PREVIEW_ZOOMOUT:
      --zoom_step_;
      return PreviewAction::kZoom;
    case ID_PREVIEW_PRINT:
      print_requested_ = true;
      return PreviewAction::kPrint;
    case ID_PREVIEW_CLOSE:
      return PreviewAction::kClose;
    default:
      return PreviewAction::kNone;
  }
}

std::string PreviewModel::Description() const { return DescribePreviewPages(Shown()); }

std::string DescribePreviewPages(const PageSpan& pages) {
  // The string holds the two forms, one line each.
  const std::string_view forms = LoadStringResource(kPreviewPageDescriptionId);
  const std::size_t newline = forms.find('\n');
  const bool one = pages.first == pages.last;
  const std::string_view form = one ? forms.substr(0, newline) : forms.substr(newline + 1);
  const std::string format(form.substr(0, form.find('\n')));
  char line[96];
  if (one) {
    std::snprintf(line, sizeof line, format.c_str(), static_cast<unsigned>(pages.first));
  } else {
    std::snprintf(line, sizeof line, format.c_str(), static_cast<unsigned>(pages.first),
                  static_cast<unsigned>(pages.last));
  }
  return line;
}

JobResult PreviewPages::Draw(PrintTarget& target, const PageSpan& pages) const {
  return RunCatalogueJob(target, state_, {title_, pages, 1});
}

}  // namespace pictor
