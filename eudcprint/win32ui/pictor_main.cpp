// pictor.exe: the frame over the printing side of the Windows front end (GDI pages, the print and
// page-setup dialogs, the printing box and the preview).
#include <windows.h>

#include "win32ui/frame/frame_printing.h"
#include "win32ui/frame/pictor_app.h"
#include "win32ui/printing/win32_printing.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  pictor::win32ui::Win32Printing printing;
  pictor::win32ui::ForwardedPrinting<pictor::win32ui::Win32Printing> frame_printing(printing);
  return pictor::win32ui::RunPictor(instance, frame_printing, show_command);
}
