// An EUDC font association: a typeface (or the system default) and the EUDC font file linked to
// it under HKEY_CURRENT_USER\EUDC\950.
#pragma once

#include <string>

#include "fixed_text.h"

namespace pictor {

inline constexpr std::size_t kDisplayNameSize = 32;
inline constexpr std::size_t kEudcFilePathSize = 256;

struct EudcAssociation {
    // The typeface name, or the display name of the system default association. Code page 950.
    FixedText<kDisplayNameSize> displayName;
    // The linked file as listed and printed: for the chosen association, upper-cased byte by byte.
    FixedText<kEudcFilePathSize> eudcFilePath;
    // The same file as the registry names it (after %SystemRoot% is replaced), not case-folded
    // and not cut: the path the font file is opened by on case-sensitive file systems.
    std::string fontFilePath;
};

}  // namespace pictor
