// The print program on Windows from its start to its end: the ports over the real registry and
// window system, the frame with its two dialogs, the document named on the command line, the
// window shown, the font setting at once, then the messages until the frame goes.
#pragma once

#include <windows.h>

#include "win32ui/frame/frame_printing.h"

namespace pictor::win32ui {

// The program's exit status.
int RunPictor(HINSTANCE instance, FramePrinting& printing, int show_command);

}  // namespace pictor::win32ui
