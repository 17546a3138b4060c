// An EUDC font association: a typeface (or the system default) and the EUDC font file linked to
// it under HKEY_CURRENT_USER\EUDC\950.
#pragma once

#include <string>
#include <string_view>

#include "ascii.h"
#include "fixed_text.h"
#include "string_table.h"

namespace pictor {

inline constexpr std::size_t kDisplayNameSize = 32;
inline constexpr std::size_t kEudcFilePathSize = 256;

struct EudcAssociation {
  // The typeface name, or the display name of the system default association. Code page 950.
  FixedText<kDisplayNameSize> displayName;
  // The linked file as listed and printed: for the chosen association, its letters upper-cased
  // (Cp950Uppercase).
  FixedText<kEudcFilePathSize> eudcFilePath;
  // The same file as the registry names it (after %SystemRoot% is replaced), not case-folded
  // and not cut: the path the font file is opened by on case-sensitive file systems.
  std::string font_file_path;
};

// 1002 "標準造字": the display name of the system default association.
inline constexpr std::string_view kSystemDefaultName = LoadStringResource(kSystemDefaultNameId);
// 1003 "細明體": the typeface whose own link is set aside while the system default is shown, the
// typeface the system default is drawn with, and the typeface of the catalogue's texts.
inline constexpr std::string_view kDefaultFaceName = LoadStringResource(kDefaultFaceNameId);

// The typeface a chosen association's characters are drawn with: the default face for the system
// default association (its display name compared without regard to case), else the display name.
constexpr std::string_view CharacterFaceName(std::string_view display_name) {
  return EqualsIgnoringAsciiCase(display_name, kSystemDefaultName) ? kDefaultFaceName : display_name;
}

}  // namespace pictor
