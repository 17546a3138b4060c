#include "win32ui/frame/window_font_list.h"

#include "win32ui/frame/gdi_handles.h"

namespace pictor::win32ui {
namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD font_type, LPARAM faces) {
  reinterpret_cast<std::vector<FontFace>*>(faces)->push_back(
      {font->lfFaceName, font->lfCharSet, static_cast<std::uint32_t>(font_type)});
  return 1;
}

}  // namespace

std::vector<FontFace> WindowFontList::InstalledFaces() {
  std::vector<FontFace> faces;
  const WindowDc dc(window_);
  if (dc.Get() == nullptr) return faces;
  // Every typeface: the dialog's list keeps the Big5 TrueType ones.
  EnumFontsA(dc.Get(), nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
  return faces;
}

}  // namespace pictor::win32ui
