// Attach and detach notifications of the DLL.

#include <windows.h>

#include "library_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tessel::api::AttachLibrary();
      break;
    case DLL_PROCESS_DETACH:
      tessel::api::DetachLibrary();
      break;
    default:  // thread attach and detach need nothing
      break;
  }
  return TRUE;
}
