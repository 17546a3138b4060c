// Catalogue pages recorded once as enhanced metafiles in 0.1 mm and played into a printer's
// page, the preview or a bitmap. A recording takes the measures of its reference device (the
// printer), so texts are measured as that device will print them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "core/print_job.h"
#include "win32ui/printing/gdi_owners.h"
#include "win32ui/printing/gdi_page_canvas.h"
#include "win32ui/printing/private_font_file.h"

namespace pictor::win32ui {

// MM_LOMETRIC's scale, written out: 0.1 mm units, y upward, as window and viewport extents of the
// device's size in millimetres and pixels. A metafile records them as they are, where a recorded
// MM_LOMETRIC would be played (by Wine) at the scale of the device it is played on rather than
// of the device it was recorded for, so a printer's page would shrink on the screen.
void SetLometricScale(HDC dc);

// The printable area of a device in 0.1 mm, in whole millimetres as it reports its size.
PrintableArea PrintableAreaOf(HDC dc);

// The printable area at a device's resolution, in its pixels, from its top-left corner.
RECT AreaInPixels(HDC dc, PrintableArea area);

class PageRecorder {
 public:
  // Pages of `area` measured on `reference`, characters from `eudc` (may be null), which must
  // stay loaded while the pages are played.
  PageRecorder(HDC reference, PrintableArea area, const PrivateFontFile* eudc);
  ~PageRecorder();
  PageRecorder(const PageRecorder&) = delete;
  PageRecorder& operator=(const PageRecorder&) = delete;

  // Starts recording a page: a surface at MM_LOMETRIC's scale until Finish; null when no
  // metafile can be made.
  PageCanvas* Begin();
  // The page recorded since Begin; null when there is none.
  EnhancedMetafile Finish();

  std::int64_t MissingGlyphs() const { return missing_glyphs_; }

 private:
  HDC reference_;
  PrintableArea area_;
  const PrivateFontFile* eudc_;
  HDC recording_ = nullptr;
  std::optional<GdiPageCanvas> canvas_;
  std::int64_t missing_glyphs_ = 0;
};

// Plays a recorded page onto `dc` with its printable area on `area` (in the context's logical
// units), at the scale that fits it there.
bool PlayPage(HDC dc, HENHMETAFILE page, const RECT& area);

}  // namespace pictor::win32ui
