#include "platform/native_machine.h"

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_startup.h"

namespace quillon {

NativeMachine MakeNativeMachine() {
  NativeMachine machine;
  machine.style = PathStyle::kWindows;
  machine.files = std::make_unique<win32::Win32FileSystem>();
  machine.logs = std::make_unique<win32::Win32LogFolder>();
  machine.clock = std::make_unique<win32::Win32Clock>();
  machine.startup = std::make_unique<win32::Win32Startup>();
  return machine;
}

}  // namespace quillon

#include <windows.h>

namespace quillon {

std::string ProgramFolder() {
  char buffer[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  const std::string path(buffer, n);
  return path.substr(0, path.rfind('\\') + 1);
}

}  // namespace quillon
