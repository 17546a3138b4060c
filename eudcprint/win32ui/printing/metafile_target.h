// A print target that keeps its pages as recorded metafiles instead of printing them: the pages
// the preview shows, and pages for tests to look into or play into a bitmap.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "core/print_job.h"
#include "win32ui/printing/page_recorder.h"

namespace pictor::win32ui {

class MetafileTarget final : public PrintTarget {
 public:
  // Pages of `area` measured on `reference` (the printer), characters from `eudc` (may be null),
  // which stays loaded as long as this target.
  MetafileTarget(HDC reference, PrintableArea area, std::shared_ptr<const PrivateFontFile> eudc);

  PrintableArea Area() override { return area_; }
  PrintDestination Destination() override { return {}; }
  void SetOutputFile(std::string_view) override {}
  // One copy of each page is enough to look at.
  bool MakesCopies() override { return true; }

  // Each document replaces the pages of the one before.
  bool BeginDocument(std::string_view title) override;
  PageCanvas* BeginPage() override;
  bool EndPage() override;
  bool EndDocument() override { return true; }
  void Abort() override { pages_.clear(); }

  // The pages of the last document, in the order they were drawn.
  const std::vector<EnhancedMetafile>& Pages() const { return pages_; }
  std::int64_t MissingGlyphs() const { return recorder_.MissingGlyphs(); }

 private:
  PrintableArea area_;
  std::shared_ptr<const PrivateFontFile> eudc_;
  PageRecorder recorder_;
  std::vector<EnhancedMetafile> pages_;
};

}  // namespace pictor::win32ui
