#include "win32ui/printing/metafile_target.h"

namespace pictor::win32ui {

MetafileTarget::MetafileTarget(HDC reference, PrintableArea area, std::shared_ptr<const PrivateFontFile> eudc)
    : area_(area), eudc_(std::move(eudc)), recorder_(reference, area, eudc_.get()) {}

bool MetafileTarget::BeginDocument(std::string_view) {
  pages_.clear();
  return true;
}

PageCanvas* MetafileTarget::BeginPage() { return recorder_.Begin(); }

bool MetafileTarget::EndPage() {
  EnhancedMetafile page = recorder_.Finish();
  if (page == nullptr) return false;
  pages_.push_back(std::move(page));
  return true;
}

}  // namespace pictor::win32ui
