// The print program's frame as pictor.exe runs it, with the recording printing side of the tests
// in place of the real one: the window tests drive it under Wine. PICTOR_PROBE_LOG names the file
// the printing requests are written to.
#include <windows.h>

#include <cstdlib>

#include "tests/win32ui/recording_printing.h"
#include "win32ui/frame/pictor_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  pictor::testing::RecordingPrinting printing(std::getenv("PICTOR_PROBE_LOG"));
  return pictor::win32ui::RunPictor(instance, printing, show_command);
}
