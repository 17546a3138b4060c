// How the catalogue's fonts are asked of the platform: the page's character and text fonts and
// the window's font share every setting but the height and the face.
#pragma once

#include <cstdint>
#include <string_view>

namespace pictor {

// The platform's values of the shared settings.
inline constexpr std::int32_t kFontWeightNormal = 400;
inline constexpr std::uint8_t kOutStrokePrecision = 3;
inline constexpr std::uint8_t kClipStrokePrecision = 2;
inline constexpr std::uint8_t kDraftQuality = 1;
inline constexpr std::uint8_t kFixedPitch = 1;
inline constexpr std::uint8_t kFamilyModern = 0x30;

struct PageFontRequest {
  // The cell height (ascent plus descent), positive, in the surface's units: 0.1 mm on a page,
  // pixels in the window.
  std::int32_t height = 0;
  std::string_view face;  // code page 950
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = kFontWeightNormal;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  std::uint8_t charset = 136;  // Big5
  std::uint8_t out_precision = kOutStrokePrecision;
  std::uint8_t clip_precision = kClipStrokePrecision;
  std::uint8_t quality = kDraftQuality;
  std::uint8_t pitch_and_family = kFixedPitch | kFamilyModern;
};

// The user-defined characters of a page: 6.4 mm in the face the association's characters are
// drawn with (細明體 for the system default association, else its display name).
PageFontRequest CharacterFontRequest(std::string_view display_name);
// The page's texts (title, captions, codes, roots, page number): 3.2 mm in 細明體.
PageFontRequest TextFontRequest();
// The window's two lines: 32 pixels in the face of the association's characters.
PageFontRequest WindowFontRequest(std::string_view display_name);

}  // namespace pictor
