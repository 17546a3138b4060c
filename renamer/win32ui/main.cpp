// quillon.exe: the renamer's window on Windows.

#include <windows.h>
// commctrl.h after windows.h
#include <commctrl.h>

#include "core/table_loader.h"
#include "platform/native_machine.h"
#include "win32ui/tform1.h"
#include "win32ui/win32_owners.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show_command) {
  // The list view and the controls of the manifest's common controls.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // The shell's folder chooser needs COM on this thread.
  const quillon::win32ui::OleSession ole;

  quillon::NativeMachine machine = quillon::MakeNativeMachine();
  FormServices services;
  services.instance = instance;
  services.startup = machine.startup.get();
  services.files = machine.files.get();
  services.logs = machine.logs.get();
  services.clock = machine.clock.get();
  services.style = machine.style;
  services.table_path = quillon::ProgramFolder() + quillon::kRenameTableFileName;

  TForm1 form(services);
  if (!form.Create(show_command)) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.HandleDialogKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
