#include "win32ui/printing/page_recorder.h"

#include <cmath>

namespace pictor::win32ui {
namespace {

constexpr int kTenthsPerInch = 254;
// A metafile's frame is in 0.01 mm.
constexpr LONG kFrameUnitsPerTenth = 10;

LONG TenthsToPixels(std::int32_t tenths, int dots_per_inch) {
  return static_cast<LONG>(std::lround(static_cast<double>(tenths) * dots_per_inch / kTenthsPerInch));
}

}  // namespace

void SetLometricScale(HDC dc) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, GetDeviceCaps(dc, HORZSIZE) * 10, GetDeviceCaps(dc, VERTSIZE) * 10, nullptr);
  SetViewportExtEx(dc, GetDeviceCaps(dc, HORZRES), -GetDeviceCaps(dc, VERTRES), nullptr);
}

PrintableArea PrintableAreaOf(HDC dc) { return {GetDeviceCaps(dc, HORZSIZE) * 10, GetDeviceCaps(dc, VERTSIZE) * 10}; }

RECT AreaInPixels(HDC dc, PrintableArea area) {
  return {0, 0, TenthsToPixels(area.width, GetDeviceCaps(dc, LOGPIXELSX)),
          TenthsToPixels(area.height, GetDeviceCaps(dc, LOGPIXELSY))};
}

PageRecorder::PageRecorder(HDC reference, PrintableArea area, const PrivateFontFile* eudc)
    : reference_(reference), area_(area), eudc_(eudc) {}

PageRecorder::~PageRecorder() { Finish(); }

PageCanvas* PageRecorder::Begin() {
  Finish();
  const RECT frame{0, 0, area_.width * kFrameUnitsPerTenth, area_.height * kFrameUnitsPerTenth};
  recording_ = CreateEnhMetaFileW(reference_, nullptr, &frame, nullptr);
  if (recording_ == nullptr) return nullptr;
  SetLometricScale(recording_);
  canvas_.emplace(recording_, eudc_);
  return &*canvas_;
}

EnhancedMetafile PageRecorder::Finish() {
  if (recording_ == nullptr) return nullptr;
  missing_glyphs_ += canvas_->MissingGlyphs();
  canvas_.reset();  // its fonts are deselected before the recording closes
  EnhancedMetafile page(CloseEnhMetaFile(recording_));
  recording_ = nullptr;
  return page;
}

bool PlayPage(HDC dc, HENHMETAFILE page, const RECT& area) { return PlayEnhMetaFile(dc, page, &area) != FALSE; }

}  // namespace pictor::win32ui
