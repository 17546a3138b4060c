// The rules of the print program's frame that need no window: which commands are enabled, the
// document title after a font choice and the frame's caption.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "eudc_association.h"

namespace pictor {

// Range, print, print without dialog and preview need a chosen association; about never runs;
// every other command is always enabled.
bool IsCommandEnabled(std::uint16_t command, const EudcAssociation& current);

// The display name, followed by the note on input codes when it is exactly the Kai typeface;
// at most kDocumentTitleSize - 1 bytes, never ending inside a double-byte character.
std::string DocumentTitleAfterChoice(std::string_view display_name);

// "title - 列印程式", as the frame shows it.
std::string FrameCaption(std::string_view document_title);

}  // namespace pictor
