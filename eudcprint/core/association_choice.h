// Choosing the EUDC font association that pictor prints: the start-up check of the platform's
// EUDC support, the choice itself, and the temporary removal of DefaultFaceName's own link (細明體)
// while the system default association is shown, with its restoring.
//
// The removed link is first copied, whole and with its type, into a restore record under
// HKEY_CURRENT_USER\Software\Pictor\EUDC\950. While the record exists the link is owed back: the
// program puts it back when the font setting is used again and when it ends, and the next start
// puts it back after a crash.
#pragma once

#include <string_view>

#include "font_setting_model.h"
#include "program_state.h"

namespace pictor {

inline constexpr std::string_view kRestoreRecordKey = "Software\\Pictor\\EUDC\\950";
inline constexpr std::string_view kEnableEudcMissing = "EnableEUDC function failure!";

// Once at start-up (the main frame's construction): the platform family; when the platform has
// EUDC linking, the input methods and the two names, else the message "EnableEUDC function
// failure!". Then a link left removed by an earlier run that did not end is put back.
void InitEudcSupport(ProgramState& state, const PictorPorts& ports);

// The font-setting command: puts back a removed link, runs the dialog and, on OK, makes its
// association current (file path upper-cased for display), clears the annotation flags, resets
// the print range and, for the system default association, removes DefaultFaceName's own link.
// True when the user confirmed a choice.
bool ChooseAssociation(ProgramState& state, const PictorPorts& ports, FontSettingDialogPort& dialog);

// Puts the removed link back, if one is owed. When that fails the link stays owed (the record is
// kept and the next attempt, or the next start, tries again) and the user is told, once a run.
void RestoreDefaultLink(ProgramState& state, const PictorPorts& ports);

// The message of a failed restore (code page 950).
std::string RestoreFailedMessage(std::string_view face_name);

}  // namespace pictor
