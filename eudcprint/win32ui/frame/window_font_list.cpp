#include "win32ui/frame/window_font_list.h"

#include "platform/win32/win32_platform.h"
#include "win32ui/frame/gdi_handles.h"

namespace pictor::win32ui {

std::vector<FontFace> WindowFontList::InstalledFaces() {
  const WindowDc dc(window_);
  if (dc.Get() == nullptr) return {};
  // Every typeface: the dialog's list keeps the Big5 TrueType ones.
  return win32::FacesOf(dc.Get());
}

}  // namespace pictor::win32ui
