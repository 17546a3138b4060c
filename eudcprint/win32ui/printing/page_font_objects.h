// The page's fonts as platform fonts, made as the core asks for them.
#pragma once

#include <string_view>

#include "core/page_fonts.h"
#include "win32ui/printing/gdi_owners.h"

namespace pictor::win32ui {

// CreateFontA with every setting of the request, its face in code page 950.
UniqueGdiObject CreateRequestedFont(const PageFontRequest& request);
// The same settings in the face `family` (the family name of a font file loaded privately),
// named in UTF-16 as the file names it.
UniqueGdiObject CreateRequestedFont(const PageFontRequest& request, std::wstring_view family);

}  // namespace pictor::win32ui
