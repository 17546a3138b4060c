// The texts of the catalogue pages, from the string table.
#pragma once

#include <string_view>

#include "string_table.h"

namespace pictor {

// The title line, with the display name and the EUDC file path.
inline constexpr std::string_view kTitleLineFormat = LoadStringResource(kTitleLineFormatId);
// The page number line.
inline constexpr std::string_view kPageNumberFormat = LoadStringResource(kPageNumberFormatId);
// The caption over each code column.
inline constexpr std::string_view kCodeCaption = LoadStringResource(kCodeCaptionId);

// The code of a cell: four upper-case hexadecimal digits.
inline constexpr char kCodeFormat[] = "%4X";

}  // namespace pictor
