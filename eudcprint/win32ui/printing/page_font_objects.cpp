#include "win32ui/printing/page_font_objects.h"

#include <windows.h>

#include <string>

namespace pictor::win32ui {

static_assert(kFontWeightNormal == FW_NORMAL);
static_assert(kOutStrokePrecision == OUT_STROKE_PRECIS);
static_assert(kClipStrokePrecision == CLIP_STROKE_PRECIS);
static_assert(kDraftQuality == DRAFT_QUALITY);
static_assert(kFixedPitch == FIXED_PITCH);
static_assert(kFamilyModern == FF_MODERN);
static_assert(PageFontRequest{}.charset == CHINESEBIG5_CHARSET);

UniqueGdiObject CreateRequestedFont(const PageFontRequest& request) {
  const std::string face(request.face.substr(0, LF_FACESIZE - 1));
  return UniqueGdiObject(CreateFontA(request.height, request.width, request.escapement, request.orientation,
                                     request.weight, request.italic, request.underline, request.strike_out,
                                     request.charset, request.out_precision, request.clip_precision, request.quality,
                                     request.pitch_and_family, face.c_str()));
}

UniqueGdiObject CreateRequestedFont(const PageFontRequest& request, std::wstring_view family) {
  const std::wstring face(family.substr(0, LF_FACESIZE - 1));
  return UniqueGdiObject(CreateFontW(request.height, request.width, request.escapement, request.orientation,
                                     request.weight, request.italic, request.underline, request.strike_out,
                                     request.charset, request.out_precision, request.clip_precision, request.quality,
                                     request.pitch_and_family, face.c_str()));
}

}  // namespace pictor::win32ui
